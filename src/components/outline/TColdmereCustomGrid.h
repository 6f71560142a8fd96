#pragma once
#include "components/outline/TGridTypes.h"
#include <QAbstractScrollArea>
#include <QChar>
#include <QRect>
#include <functional>

class QPainter;

// A one-column grid of equally high rows: the surface an outline shows its visible nodes
// on. It keeps a current row that the mouse and the navigation keys move and that is
// always scrolled into view, and hands every visible row to DrawCell.
//
// Painting: paintEvent composes the viewport in an off-screen image, fills it with Color
// and calls PaintVisibleRows. A subclass that composes the control itself overrides
// paintEvent, paints into its own surface and calls PaintVisibleRows(painter) there; that
// calls DrawCell only for the rows inside the viewport, so the cost does not depend on
// the number of rows. While DrawCell runs, Canvas() is the painter of that paint.
//
// Input: the click, double-click, key-down and key-press notifications (OnClick,
// OnDblClick, OnKeyDown, OnKeyPress) fire first; a subclass overriding Click, DblClick,
// KeyDown or KeyPress calls the base version first and then does its own handling. A
// key-down handler that sets the key to 0 stops the handling of that key press; a
// key-press handler that sets the character to 0 stops the handling of that character.
class TColdmereCustomGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TColdmereCustomGrid(QWidget* parent = nullptr);
    ~TColdmereCustomGrid() override;

    int RowCount() const { return m_rowCount; }
    // Clamped to at least 1; moves the current and top rows back inside. True when the
    // count changed (the viewport is then repainted).
    bool SetRowCount(int count);

    int DefaultRowHeight() const { return m_rowHeight; }
    void SetDefaultRowHeight(int height); // at least 1

    // The width the single column has unless a subclass decides otherwise (ColumnWidth).
    int DefaultColWidth() const { return m_colWidth; }
    void SetDefaultColWidth(int width);
    // The width the column is drawn with.
    virtual int ColumnWidth() const { return m_colWidth; }

    int Row() const { return m_row; }
    // Moves the current row (clamped to the rows), repaints the old and the new row and
    // scrolls the new one into view.
    void SetRow(int row);

    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);                  // clamped so that the last page stays full
    int LeftPos() const { return m_leftPos; } // horizontal scroll offset in pixels
    void SetLeftPos(int pixels);

    // Rows that fit entirely in the viewport (at least 0).
    int VisibleRowCount() const;
    // The rectangle of a row in viewport coordinates; empty when the row is outside the
    // rows or scrolled out of the viewport. A partly visible last row gives its full rect.
    QRect RowRect(int row) const;
    // The row at a viewport y coordinate, or -1 when there is none.
    int RowAt(int y) const;
    void ScrollIntoView(int row);

    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle style);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);

    // Colour numbers (0x00BBGGRR or system colours): the background and the text.
    qint32 Color() const { return m_color; }
    void SetColor(qint32 colour);
    qint32 FontColour() const { return m_fontColour; }
    void SetFontColour(qint32 colour);

    void InvalidateCell(int row);
    void InvalidateGrid();

    // Calls DrawCell for every row that shows in the viewport, on painter.
    void PaintVisibleRows(QPainter& painter);
    // The painter of the paint in progress; null outside PaintVisibleRows.
    QPainter* Canvas() const { return m_canvas; }

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnDblClick;
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;

protected:
    // Draws one row; the base fills the cell with Color.
    virtual void DrawCell(int row, const QRect& rect, TGridDrawState state);
    virtual void Click();
    virtual void DblClick();
    // Fires OnKeyDown, then moves the current row for Up, Down (both without Ctrl), Page
    // Up, Page Down, Home and End.
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);
    // A press of the left button moves the current row to the row under the mouse.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& pos);

    void UpdateScrollBars();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int MaxTopRow() const;
    void ApplyScrollBarPolicy();

    int m_rowCount = 1;
    int m_rowHeight = 24;
    int m_colWidth = 64;
    int m_row = 0;
    int m_topRow = 0;
    int m_leftPos = 0;
    TScrollStyle m_scrollBars = ssBoth;
    TBorderStyle m_borderStyle = bsSingle;
    qint32 m_color;
    qint32 m_fontColour;
    QPainter* m_canvas = nullptr;
    bool m_pressedOnRow = false;
    bool m_syncingBars = false;
};
