#include "components/outline/TColdmereCustomOutline.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TOutlineStrings.h"
#include "components/paint/TAssets.h"
#include "platform/TColorRef.h"
#include "platform/TMessageBox.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const qint64 p = qint64(a) * b;
    const qint64 q =
        (p >= 0) == (c > 0) ? (2 * p + c) / (2 * qint64(c)) : (2 * p - c) / (2 * qint64(c));
    return int(q);
}

QImage LoadPicture(const char* name)
{
    TAssets::Ensure();
    return QImage(QStringLiteral(":/assets/") + QLatin1String(name));
}

} // namespace

TColdmereCustomOutline::TColdmereCustomOutline(QWidget* parent) : TColdmereCustomGrid(parent)
{
    m_tree.SetObserver(this);
    m_pictures[0] = LoadPicture("plus.bmp");
    m_pictures[1] = LoadPicture("minus.bmp");
    m_pictures[2] = LoadPicture("open.bmp");
    m_pictures[3] = LoadPicture("closed.bmp");
    m_pictures[4] = LoadPicture("leaf.bmp");
    SetColor(TSysColour::clWindow);
    SetScrollBars(ssBoth);
    RecalcRowGeometry();
    resize(121, 97);
}

TColdmereCustomOutline::~TColdmereCustomOutline() = default;

// --- the tree ---------------------------------------------------------------------------

int TColdmereCustomOutline::AddChild(int index, const QString& text)
{
    return AddNode(index, text, nullptr, false);
}

int TColdmereCustomOutline::AddChildObject(int index, const QString& text, void* data)
{
    return AddNode(index, text, data, false);
}

int TColdmereCustomOutline::Insert(int index, const QString& text)
{
    return AddNode(index, text, nullptr, true);
}

int TColdmereCustomOutline::InsertObject(int index, const QString& text, void* data)
{
    return AddNode(index, text, data, true);
}

int TColdmereCustomOutline::AddNode(int index, const QString& text, void* data, bool insert)
{
    // A negative index is the caller's mistake and goes back to it; an index that names no
    // item, or an item too deep for a child, is the user's to hear about.
    if (index < 0)
        EOutlineError::Raise(EOutlineError::InvalidIndex);
    try {
        return insert ? m_tree.InsertObject(index, text, data)
                      : m_tree.AddChildObject(index, text, data);
    } catch (const EOutlineError& e) {
        TMessageBox::Show(e.Message(), QStringLiteral("Error"));
        return 0;
    }
}

void TColdmereCustomOutline::SetLines(const QStringList& lines) { m_tree.Lines().Assign(lines); }

// --- what the tree reports ----------------------------------------------------------------

void TColdmereCustomOutline::RowCountChanged()
{
    SetRowCount(std::max(1, m_tree.VisibleNodeCount()));
}

// New visible rows can only widen the column: the siblings first .. last are measured
// alone instead of every visible row.
void TColdmereCustomOutline::RowsAdded(TOutlineNode* first, TOutlineNode* last)
{
    if (ColumnFollowsClient() || m_tree.Updating() || m_extentDirty) {
        InvalidateExtent();
        return;
    }
    const QFontMetrics metrics(font());
    TOutlineNode* parent = first->Parent();
    for (int j = m_tree.PositionOf(first), end = m_tree.PositionOf(last); j <= end; ++j)
        m_extent = std::max(m_extent, RowWidth(parent->Child(j), metrics));
    ScheduleScrollRange();
}

void TColdmereCustomOutline::RowWidthsChanged() { InvalidateExtent(); }

void TColdmereCustomOutline::RepaintNeeded() { InvalidateGrid(); }

void TColdmereCustomOutline::TextChanged(TOutlineNode* node)
{
    if (node->IsVisible()) {
        InvalidateCell(m_tree.GetNodeRow(node));
        InvalidateExtent();
    }
}

void TColdmereCustomOutline::Expanding(TOutlineNode* node)
{
    if (OnExpand)
        OnExpand(this, node->Index());
}

void TColdmereCustomOutline::Collapsing(TOutlineNode* node)
{
    if (OnCollapse)
        OnCollapse(this, node->Index());
}

void TColdmereCustomOutline::CurrentItemChanged(TOutlineNode* node)
{
    const int row = m_tree.GetNodeRow(node);
    if (row >= 0)
        SetRow(row);
}

void TColdmereCustomOutline::TreeReset()
{
    RowCountChanged();
    SetTopRow(0);
    SetRow(0);
    InvalidateExtent();
    InvalidateGrid();
}

// --- look and geometry --------------------------------------------------------------------

void TColdmereCustomOutline::SetOutlineStyle(TOutlineStyle style)
{
    m_outlineStyle = style;
    InvalidateExtent();
    InvalidateGrid();
}

void TColdmereCustomOutline::SetOptions(TOutlineOptions options)
{
    m_options = options;
    InvalidateExtent();
    InvalidateGrid();
}

void TColdmereCustomOutline::SetStyle(TOutlineType style)
{
    m_style = style;
    RecalcRowGeometry();
    InvalidateExtent();
    UpdateScrollBars();
    InvalidateGrid();
}

void TColdmereCustomOutline::SetItemHeight(int height)
{
    // A standard outline's rows follow its font.
    if (m_style != otOwnerDraw)
        return;
    height = std::max(1, height);
    SetDefaultRowHeight(height);
    m_fontHeight = MulDiv(height, 100, 120);
    InvalidateExtent();
}

void TColdmereCustomOutline::RecalcRowGeometry()
{
    if (m_style != otStandard)
        return;
    const QFont f = font();
    const int pixels =
        f.pointSize() > 0 ? MulDiv(f.pointSize(), logicalDpiY(), 72) : std::max(1, f.pixelSize());
    m_fontHeight = pixels;
    SetDefaultRowHeight(MulDiv(pixels, 120, 100));
}

int TColdmereCustomOutline::Indentation(int level) const
{
    const int h = DefaultRowHeight();
    const int g = (h - m_fontHeight) / 2;
    const bool treeRoot = m_options.Contains(ooDrawTreeRoot);
    switch (m_outlineStyle) {
    case osText: return (level - 1) * h;
    case osPlusMinusText:
    case osPictureText: return level * h;
    case osPlusMinusPictureText: return (level + 1) * h;
    case osTreeText: return (treeRoot ? level : level - 1) * h - g;
    case osTreePictureText: return (treeRoot ? level + 1 : level) * h - g;
    }
    return 0;
}

int TColdmereCustomOutline::RowWidth(TOutlineNode* node, const QFontMetrics& metrics)
{
    // Each text is measured once; a new text or font forgets the measurement.
    if (node->MeasuredWidth() < 0)
        node->SetMeasuredWidth(metrics.horizontalAdvance(node->Text()));
    return std::max(0, node->MeasuredWidth() + Indentation(node->Level()) + 1);
}

bool TColdmereCustomOutline::ColumnFollowsClient() const
{
    const TScrollStyle bars = ScrollBars();
    return bars == ssNone || bars == ssVertical || (m_style == otOwnerDraw && OnDrawItem);
}

namespace {
// A slice of measuring between events stays well inside one frame.
constexpr qint64 kExtentSliceMs = 8;
} // namespace

int TColdmereCustomOutline::ColumnWidth() const
{
    if (ColumnFollowsClient())
        return viewport()->width();
    // Measured on demand, so a paint never uses a width from before the last change.
    return const_cast<TColdmereCustomOutline*>(this)->ShownExtent();
}

int TColdmereCustomOutline::ShownExtent()
{
    if (!m_extentDirty)
        return m_extent;
    if (RowCount() <= MeasureAtOnceRows)
        return HorizontalExtent();
    if (!m_walk.running) {
        StartExtentWalk();
        StepExtentWalk(kExtentSliceMs);
        if (!m_extentDirty)
            return m_extent;
        QTimer::singleShot(0, this, [this, walk = m_walk.generation] { ContinueExtentWalk(walk); });
    }
    // Nothing on screen is cut while the rest is measured.
    if (m_onScreenTop != TopRow()) {
        m_onScreenTop = TopRow();
        const QFontMetrics metrics(font());
        for (int row = TopRow(), end = std::min(RowCount(), TopRow() + VisibleRowCount() + 1);
             row < end; ++row)
            if (TOutlineNode* node = GetVisibleNode(row))
                m_onScreenWidest = std::max(m_onScreenWidest, RowWidth(node, metrics));
    }
    return std::max(m_walk.widest, m_onScreenWidest);
}

void TColdmereCustomOutline::StartExtentWalk()
{
    m_walk.stack.assign(1, {m_tree.RootNode(), 0});
    m_walk.widest = 0;
    m_walk.running = true;
    ++m_walk.generation;
    m_onScreenWidest = 0;
    m_onScreenTop = -1;
}

bool TColdmereCustomOutline::StepExtentWalk(qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    const QFontMetrics metrics(font());
    auto& stack = m_walk.stack;
    for (int measured = 1; !stack.empty(); ++measured) {
        auto& [n, next] = stack.back();
        if (!n->Expanded() || next >= n->ChildCount()) {
            stack.pop_back();
            continue;
        }
        TOutlineNode* child = n->Child(next++);
        m_walk.widest = std::max(m_walk.widest, RowWidth(child, metrics));
        if (child->Expanded() && child->HasItems())
            stack.push_back({child, 0});
        if (budgetMs >= 0 && (measured & 255) == 0 && clock.elapsed() >= budgetMs)
            return false;
    }
    m_extent = m_walk.widest;
    m_extentDirty = false;
    m_walk.running = false;
    return true;
}

void TColdmereCustomOutline::ContinueExtentWalk(int generation)
{
    if (!m_walk.running || m_walk.generation != generation)
        return; // a change started over; the walk's own slices carry it on
    if (StepExtentWalk(kExtentSliceMs)) {
        UpdateScrollBars();
        InvalidateGrid();
        return;
    }
    UpdateScrollBars();
    QTimer::singleShot(0, this, [this, generation] { ContinueExtentWalk(generation); });
}

void TColdmereCustomOutline::InvalidateExtent()
{
    m_extentDirty = true;
    // A walk in progress may hold nodes the change removed.
    m_walk.running = false;
    m_walk.stack.clear();
    ScheduleScrollRange();
}

void TColdmereCustomOutline::ScheduleScrollRange()
{
    if (ColumnFollowsClient() || m_extentPending)
        return;
    // The scroll range follows once the changes of this turn of the event loop are done.
    m_extentPending = true;
    QTimer::singleShot(0, this, [this] {
        m_extentPending = false;
        ApplyExtent();
    });
}

int TColdmereCustomOutline::HorizontalExtent()
{
    if (!m_extentDirty)
        return m_extent;
    if (!m_walk.running)
        StartExtentWalk();
    StepExtentWalk(-1);
    return m_extent;
}

void TColdmereCustomOutline::ApplyExtent() { UpdateScrollBars(); }

void TColdmereCustomOutline::SetPicturePlus(const QImage& picture)
{
    m_pictures[0] = picture;
    InvalidateGrid();
}
void TColdmereCustomOutline::SetPictureMinus(const QImage& picture)
{
    m_pictures[1] = picture;
    InvalidateGrid();
}
void TColdmereCustomOutline::SetPictureOpen(const QImage& picture)
{
    m_pictures[2] = picture;
    InvalidateGrid();
}
void TColdmereCustomOutline::SetPictureClosed(const QImage& picture)
{
    m_pictures[3] = picture;
    InvalidateGrid();
}
void TColdmereCustomOutline::SetPictureLeaf(const QImage& picture)
{
    m_pictures[4] = picture;
    InvalidateGrid();
}

void TColdmereCustomOutline::resizeEvent(QResizeEvent* event)
{
    TColdmereCustomGrid::resizeEvent(event);
    ApplyExtent();
}

void TColdmereCustomOutline::changeEvent(QEvent* event)
{
    TColdmereCustomGrid::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    std::vector<TOutlineNode*> stack{m_tree.RootNode()};
    while (!stack.empty()) {
        TOutlineNode* n = stack.back();
        stack.pop_back();
        n->SetMeasuredWidth(-1);
        for (int i = 0; i < n->ChildCount(); ++i)
            stack.push_back(n->Child(i));
    }
    RecalcRowGeometry();
    InvalidateExtent();
    InvalidateGrid();
}

// --- drawing --------------------------------------------------------------------------

void TColdmereCustomOutline::DrawCell(int row, const QRect& rect, TGridDrawState state)
{
    QPainter* canvas = Canvas();
    if (!canvas)
        return;
    const QColor background = TColorRef::ToQColor(Color());
    if (m_tree.ItemCount() == 0) {
        canvas->fillRect(rect, background);
        return;
    }
    const bool focused = state.testFlag(gdFocused);
    if (m_style == otOwnerDraw && OnDrawItem) {
        TOwnerDrawState ownerState = 0;
        if (state.testFlag(gdSelected))
            ownerState |= odSelected;
        if (focused)
            ownerState |= odFocused;
        OnDrawItem(this, row, rect, ownerState);
    } else {
        TOutlineNode* node = GetVisibleNode(row);
        const bool selected = state.testFlag(gdSelected) && node;
        canvas->fillRect(rect, selected ? palette().color(QPalette::Highlight) : background);
        if (node) {
            canvas->save();
            canvas->setFont(font());
            canvas->setPen(selected ? palette().color(QPalette::HighlightedText)
                                    : TColorRef::ToQColor(FontColour()));
            const QRect text = rect.adjusted(std::max(0, Indentation(node->Level())) + 1, 0, 0, 0);
            canvas->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             node->Text());
            canvas->restore();
        }
    }
    if (focused && m_options.Contains(ooDrawFocusRect)) {
        canvas->save();
        canvas->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        canvas->setPen(QPen(Qt::white, 1, Qt::DotLine));
        canvas->setBrush(Qt::NoBrush);
        canvas->drawRect(rect.adjusted(0, 0, -1, -1));
        canvas->restore();
    }
}

// --- mouse and keyboard -------------------------------------------------------------------

void TColdmereCustomOutline::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                       const QPoint& pos)
{
    TColdmereCustomGrid::MouseDown(button, shift, pos);
    m_tree.SelectionFollowsRow();
}

void TColdmereCustomOutline::Click()
{
    if (ItemCount() > 0) {
        if (TOutlineNode* n = GetVisibleNode(Row()))
            SetSelectedItem(n->Index());
    }
    TColdmereCustomGrid::Click();
}

void TColdmereCustomOutline::DblClick()
{
    TColdmereCustomGrid::DblClick();
    TOutlineNode* n = SelectedNode();
    if (n != RootNode())
        n->SetExpanded(!n->Expanded());
}

void TColdmereCustomOutline::Beep() { QApplication::beep(); }

void TColdmereCustomOutline::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TColdmereCustomGrid::KeyDown(key, shift);
    if (key == 0 || ItemCount() == 0)
        return;
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    TOutlineNode* const root = RootNode();
    TOutlineNode* rowNode = GetVisibleNode(Row());
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (rowNode)
            rowNode->SetExpanded(!rowNode->Expanded());
        break;
    case Qt::Key_Home: SelectNode(root->Child(0)); break;
    case Qt::Key_End: {
        TOutlineNode* n = root->Child(root->ChildCount() - 1);
        while (n->Expanded() && n->HasItems())
            n = n->Child(n->ChildCount() - 1);
        SelectNode(n);
        break;
    }
    case Qt::Key_Left: {
        TOutlineNode* n = SelectedNode();
        if (n->Parent() == root)
            Beep();
        else
            SelectNode(n->Parent());
        break;
    }
    case Qt::Key_Right: {
        TOutlineNode* n = SelectedNode();
        if (n->HasItems() && n->Expanded())
            SelectNode(n->Child(0));
        else
            Beep();
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (ctrl) {
            TOutlineNode* n = SelectedNode();
            const int position = m_tree.PositionOf(n) + (key == Qt::Key_Up ? -1 : 1);
            if (position < 0 || position >= n->Parent()->ChildCount())
                Beep();
            else
                SelectNode(n->Parent()->Child(position));
        } else {
            SelectNode(rowNode);
        }
        break;
    case Qt::Key_Asterisk:
        if (ctrl && shift.testFlag(Qt::KeypadModifier))
            FullExpand();
        else
            SelectNode(rowNode);
        break;
    default: SelectNode(rowNode); break;
    }
}

void TColdmereCustomOutline::KeyPress(QChar& key)
{
    TColdmereCustomGrid::KeyPress(key);
    if (key.isNull() || ItemCount() == 0)
        return;
    TOutlineNode* n = SelectedNode();
    if (n == RootNode())
        return;
    if (key == QLatin1Char('+'))
        n->Expand();
    else if (key == QLatin1Char('-'))
        n->Collapse();
    else if (key == QLatin1Char('*'))
        n->FullExpand();
}
