#pragma once
#include <QRect>
#include <QWidget>

// The sizing line a splitter shows while it is dragged: a see-through layer over a whole
// window that inverts the pixels under one thin rectangle (exclusive-or with white), so the
// line stays visible on any background and leaves nothing behind when it moves.
class TSizingLineOverlay : public QWidget
{
    Q_OBJECT
public:
    explicit TSizingLineOverlay(QWidget* window);

    // The rectangle to invert, in this layer's (the window's) coordinates; empty hides it.
    void SetLine(const QRect& line);
    QRect Line() const { return m_line; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect m_line;
};
