#pragma once
#include "components/panels/TAlign.h"
#include "components/panels/TSizingLineOverlay.h"
#include <QMetaObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>

// A bar that resizes one neighbouring docked control when dragged with the mouse. It docks
// through its container's TAlignLayout like any child (set its alignment with SetAlign, not
// TAlignLayout::SetAlign, so the bar also takes its thickness and finds its neighbour). The
// control it resizes is ControlFirst, or ControlSecond when ControlFirst fills the client
// area. While dragging, a sizing line follows the mouse inside the limits; the sizes change
// only on release, and Escape abandons the drag.
class TSplitBar : public QWidget
{
    Q_OBJECT
public:
    explicit TSplitBar(QWidget* parent = nullptr);
    ~TSplitBar() override;

    // The control whose size the bar changes, or the client-filling partner of ControlSecond.
    // The bar itself or a window is refused (the property is cleared instead); a destroyed
    // control clears the property.
    QWidget* ControlFirst() const { return m_first; }
    void SetControlFirst(QWidget* control);
    // The control resized when ControlFirst fills the client area.
    QWidget* ControlSecond() const { return m_second; }
    void SetControlSecond(QWidget* control);

    // The bar's own alignment. Changing it to a side makes the bar 3 pixels thick (not while
    // loading) and, when no control is linked yet, links ControlFirst to the sibling just
    // outside the bar on that side.
    TAlign Align() const;
    void SetAlign(TAlign align);

    // How far, in pixels, the sizing line stays from the container's top-left and
    // bottom-right edges.
    int LimitLeftOffset() const { return m_limitLeft; }
    void SetLimitLeftOffset(int offset) { m_limitLeft = offset; }
    int LimitRightOffset() const { return m_limitRight; }
    void SetLimitRightOffset(int offset) { m_limitRight = offset; }

    // The bar's thickness as a state file stores it; negative sizes become 0.
    int Width() const { return width(); }
    void SetWidth(int w);
    int Height() const { return height(); }
    void SetHeight(int h);

    // While a window builds its controls, Align may be set without the bar taking the
    // 3-pixel thickness. EndLoading sets the cursor from the links made meanwhile.
    void BeginLoading() { m_loading = true; }
    void EndLoading();
    bool IsLoading() const { return m_loading; }

    // 1: ControlFirst's height, 2: ControlSecond's height, 3: ControlFirst's width,
    // 4: ControlSecond's width; 0: the bar cannot be dragged.
    int SplitType() const;
    // The control a drag resizes, or nullptr when SplitType is 0.
    QWidget* ResizedControl() const;

    bool IsDragging() const { return m_dragging; }
    // Where the sizing line was last drawn, in the bar's coordinates (the bar's new top-left
    // if it were dropped now).
    QPoint SizingLinePoint() const { return m_linePoint; }
    // The sizing layer while dragging (it lives over the bar's window), else nullptr.
    TSizingLineOverlay* SizingLine() const { return m_overlay; }
    bool NoDrop() const { return m_noDrop; }

    // Sets the cursor from the split type (or the no-drop cursor during a refused drag).
    void UpdateCursor();

    // Asked during a drag and before the drop with the candidate position (the bar's new
    // top-left in its own coordinates); setting allow to false refuses it.
    std::function<void(QObject*, int, int, bool&)> OnPosChanging;
    // Raised after a drop that was applied.
    std::function<void(QObject*)> OnPosChanged;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsVertical() const { return m_type == 1 || m_type == 2; }
    QWidget* Acceptable(QWidget* control) const;
    void Link(QPointer<QWidget>& slot, QMetaObject::Connection& connection, QWidget* control);
    void PickControlFirst();
    void StartSizing();
    QPoint Clamp(QPoint point) const;
    void MoveLine(QPoint point);
    void EndDrag();
    void ApplyDrop(QPoint point);
    void CancelDrag();
    bool AskPosChanging(QPoint point);
    QPoint DragPoint(const QMouseEvent* event) const;

    QPointer<QWidget> m_first;
    QPointer<QWidget> m_second;
    QMetaObject::Connection m_firstGone;
    QMetaObject::Connection m_secondGone;
    int m_limitLeft = 20;
    int m_limitRight = 20;
    bool m_loading = false;

    bool m_dragging = false;
    int m_type = 0;
    QPoint m_pressOffset;
    QPoint m_minPoint;
    QPoint m_maxPoint;
    QPoint m_linePoint;
    bool m_lineDrawn = false;
    bool m_noDrop = false;
    QPointer<TSizingLineOverlay> m_overlay;
};
