#pragma once
#include <QFont>
#include <QPainter>
#include <QString>
#include <QtGlobal>

// The vertical embossed watermark an empty outliner shows at its left edge.
class TWatermarkPainter
{
public:
    // Draws text reading bottom to top along the left edge of a client area clientHeight
    // pixels high. With n = length + 2 and g = clientHeight / n: a serif font, not smoothed,
    // of character height trunc(1.5 g) and average character width g, turned 90 degrees
    // counter-clockwise, the top of its characters towards the left edge; starting point
    // x = 0, y = clientHeight - g / 2; the text in the button-highlight colour at (x, y),
    // in the button-shadow colour at (x + 2, y + 2) and in the colour number `colour` at
    // (x + 1, y + 1), on a transparent background. Nothing is drawn for an empty text or
    // when g is 0. The painter's state is restored afterwards.
    static void Paint(QPainter& painter, int clientHeight, const QString& text, qint32 colour);

    // The font used for a given g (exposed so a caller can measure the watermark).
    static QFont WatermarkFont(int g, const QPaintDevice* device);
};
