#pragma once
#include "state/TSectionReader.h"
#include "state/TSectionWriter.h"
#include <QFont>
#include <functional>

class QWidget;

// The three font keys a state file keeps for a styled control, in this order: FontName
// (the face), FontSize (points) and FontColour (a colour number, parsed strictly). The
// font's style, pitch and character set are not kept.
class TStateFont
{
public:
    // The smallest size a font can be given: a font of 0 points or less cannot be drawn.
    static constexpr int MinPointSize = 1;

    static bool Write(TSectionWriter& writer, const QFont& font, qint32 colour);

    // Applies the face and size to the control's font and hands the colour to setColour.
    // False when FontColour is not a number; the face and size then stay applied. A missing
    // or empty FontName keeps the control's face.
    static bool Read(const TSectionReader& reader, QWidget& control,
                     const std::function<void(qint32)>& setColour);

    // The size of a font in points, also for a font set up in pixels.
    static int PointSize(const QFont& font);
};
