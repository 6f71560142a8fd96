#pragma once
#include "components/panels/TAlign.h"
#include <QHash>
#include <QLayout>
#include <QList>
#include <QRect>

// Lays out the children of a container by the alignment each child carries (the dynamic
// property "zelAlign", set with SetAlign). All top-aligned children are placed first, each
// taking the top of the room still free at its own height, then the bottom-aligned ones from
// the bottom up, then the left- and right-aligned ones at their own widths, and last the
// client-aligned children fill what remains. Within one alignment the layout's order holds,
// the earlier child docking nearer the edge: the order in which the children joined the
// container (insertWidget changes it). So a bar above a bottom panel joins after the panel.
// Children aligned alNone, hidden children and windows are never moved.
//
// Every widget child of the container takes part: those present when the layout is made and
// those added later. A docked child keeps the height or width it is given (resize() on the
// child re-docks the container), so a splitter resizes a neighbour simply by resizing it.
class TAlignLayout : public QLayout
{
    Q_OBJECT
public:
    static constexpr const char* AlignProperty = "zelAlign";

    // Becomes the container's layout (when it has none yet) and adopts its children.
    explicit TAlignLayout(QWidget* container = nullptr);
    ~TAlignLayout() override;

    // The alignment a widget carries; alNone when it has none or a value out of range.
    static TAlign AlignOf(const QWidget* widget);
    // Stores the alignment and asks the widget's container to lay out again.
    static void SetAlign(QWidget* widget, TAlign align);
    // The container's layout when it is a TAlignLayout, else nullptr.
    static TAlignLayout* Of(const QWidget* container);
    // Lays out the container of the widget at once, when that container uses a TAlignLayout.
    static void RealignParentOf(const QWidget* widget);

    // Lays the container out now rather than on the next pass of the event loop.
    void Realign();
    // Puts the widget at the given place of the layout order (appended when out of range),
    // making it a child of the container first when it is not.
    void insertWidget(int index, QWidget* widget);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    using QLayout::indexOf;
    int indexOf(const QWidget* widget) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect& rect) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Attach();
    void Adopt(QWidget* child);
    void Track(QWidget* widget);
    void Place(QWidget* widget, const QRect& rect);
    static bool TakesPart(QLayoutItem* item);

    QList<QLayoutItem*> m_items;
    QHash<const QWidget*, QRect> m_placed; // where the layout last put each docked widget
    QWidget* m_container = nullptr;        // the container whose children are watched
    bool m_placing = false;
};
