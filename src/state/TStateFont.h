#pragma once
#include <QFont>

// The font size a state file keeps (FontSize, in points). The face, colour and style keys
// are rows of the controls' look tables.
class TStateFont
{
public:
    // The size of a font in points, also for a font set up in pixels.
    static int PointSize(const QFont& font);
};
