#pragma once
#include "html/TFrameSetInfo.h"
#include <QVector>
#include <QWidget>

class THtmlFrame;
class THtmlPane;

// A frame set: its rows and columns laid out from ROWS and COLS, each cell a frame of
// its own (or a frame set nested in the same document). Borders between frames can be
// dragged unless a frame next to them says NORESIZE.
class TFramePane : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDefaultBorder = 4;

    TFramePane(THtmlPane* pane, THtmlFrame* context, const TFrameSetInfo& info,
               const QString& baseFile, QWidget* parent);

    const QVector<int>& RowSizes() const { return m_rowSizes; }
    const QVector<int>& ColumnSizes() const { return m_colSizes; }
    int RowCount() const { return int(m_rowSizes.size()); }
    int ColumnCount() const { return int(m_colSizes.size()); }
    int Border() const { return m_border; }
    // The cells in document order: THtmlFrame or nested TFramePane widgets.
    const QVector<QWidget*>& Cells() const { return m_cells; }
    // Every frame of this set and the sets inside it, in document order.
    QVector<THtmlFrame*> Frames() const;
    void Relayout();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // The border under a point: row borders as index+1, column borders as -(index+1).
    int BorderAt(QPoint p) const;
    bool Resizable(int border) const;

    TFrameSetInfo m_info;
    QVector<QWidget*> m_cells;
    QVector<bool> m_noResize;
    QVector<int> m_rowSizes;
    QVector<int> m_colSizes;
    QVector<int> m_rowOverride; // sizes a reader dragged to, or empty
    QVector<int> m_colOverride;
    int m_border = kDefaultBorder;
    int m_dragging = 0;
};
