#pragma once
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QtGlobal>

// The row text of the styled lists: one line in a rectangle, vertically centred, cut
// with an ellipsis at the end when too long, no mnemonic ("&") processing, on a
// transparent background.
class TTextPainter
{
public:
    // Draws text in rect with font in the colour number `colour`.
    // Embossed: first a copy in the button-highlight colour offset by (-1, -1); then for a
    // font larger than 16 points a copy in the button-shadow colour at (+1, +1) and the text
    // in its colour at (-1, 0); for 16 points or less the text in its colour at (0, 0).
    // Plain: the text in its colour at (0, 0). Each copy is clipped to its own (offset)
    // rectangle. Returns the number of copies drawn (0 for an empty text or rectangle).
    // The painter's font, pen and clip are restored afterwards.
    static int Draw(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    qint32 colour, bool embossed);

    // The font's size in points; a font given in pixels is converted at the device's
    // logical resolution (96 dots per inch when there is no device).
    static qreal PointSize(const QFont& font, const QPaintDevice* device);

    // Copies of text drawn by Draw since the last reset, over the whole process; lets a
    // control's test see how its text was drawn.
    static int CopiesDrawn();
    static void ResetCopiesDrawn();
};
