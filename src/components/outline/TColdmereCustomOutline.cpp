#include "components/outline/TColdmereCustomOutline.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TOutlineStrings.h"
#include "components/paint/TAssets.h"
#include "platform/TColorRef.h"
#include "platform/TMessageBox.h"
#include "platform/TTextCodec.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QIODevice>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstring>
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

constexpr int kLoadBufferSize = 4096;
constexpr char kEndOfData = 26;

} // namespace

TColdmereCustomOutline::TColdmereCustomOutline(QWidget* parent)
    : TColdmereCustomGrid(parent), m_lines(std::make_unique<TOutlineStrings>(*this))
{
    m_root = NewRoot();
    m_selected = m_root;
    SetMark(m_root, 0);
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

TColdmereCustomOutline::~TColdmereCustomOutline() { delete m_root; }

TOutlineNode* TColdmereCustomOutline::NewRoot()
{
    auto* root = new TOutlineNode(this, QString(), nullptr);
    root->m_index = 0;
    root->m_expanded = true;
    return root;
}

// --- numbering ------------------------------------------------------------------------

void TColdmereCustomOutline::SetMark(TOutlineNode* node, int index)
{
    m_mark = node;
    m_goodIndex = index;
    m_markPath.assign(size_t(node->m_level) + 1, nullptr);
    for (TOutlineNode* n = node; n; n = n->m_parent)
        m_markPath[size_t(n->m_level)] = n;
}

// A node's cached number is right exactly when the node comes no later than the mark in
// pre-order. The number alone cannot tell: a node pushed back by an insertion keeps its
// old, smaller number until it is renumbered.
bool TColdmereCustomOutline::IndexKnown(TOutlineNode* node)
{
    if (node == m_root)
        return true;
    if (node->m_index < 1 || node->m_index > m_goodIndex)
        return false;
    // Climb to the nearest ancestor on the mark's path and compare the two branches there.
    TOutlineNode* branch = node;
    TOutlineNode* a = node;
    while (!(size_t(a->m_level) < m_markPath.size() && m_markPath[size_t(a->m_level)] == a)) {
        branch = a;
        a = a->m_parent;
    }
    if (a == node)
        return true; // the mark or one of its ancestors
    if (a == m_mark)
        return false; // inside the mark's subtree, after it
    return PositionOf(branch) < PositionOf(m_markPath[size_t(a->m_level) + 1]);
}

int TColdmereCustomOutline::IndexOf(TOutlineNode* node)
{
    if (IndexKnown(node))
        return node->m_index;
    RenumberForward(node, INT_MAX);
    return node->m_index;
}

// Numbers the nodes after the mark in pre-order until target or targetIndex is reached.
void TColdmereCustomOutline::RenumberForward(const TOutlineNode* target, int targetIndex)
{
    TOutlineNode* n = m_mark;
    int index = m_goodIndex;
    while (index < targetIndex) {
        TOutlineNode* next = NextPreOrder(n);
        if (!next)
            break;
        n = next;
        n->m_index = ++index;
        if (n == target)
            break;
    }
    if (n != m_mark)
        SetMark(n, index);
}

// Called before a node is linked in right after predecessor, or before the node after
// predecessor is unlinked: the numbers from there on are no longer known.
void TColdmereCustomOutline::MoveMarkBack(TOutlineNode* predecessor)
{
    if (m_goodIndex > predecessor->m_index && IndexKnown(predecessor))
        SetMark(predecessor, predecessor->m_index);
}

TOutlineNode* TColdmereCustomOutline::NextPreOrder(TOutlineNode* node)
{
    if (node->HasItems()) {
        TOutlineNode* first = node->m_children->nodes.front();
        first->m_position = 0;
        return first;
    }
    while (node != m_root) {
        TOutlineNode* parent = node->m_parent;
        const int next = PositionOf(node) + 1;
        if (next < parent->ChildCount()) {
            TOutlineNode* sibling = parent->m_children->nodes[size_t(next)];
            sibling->m_position = next;
            return sibling;
        }
        node = parent;
    }
    return nullptr;
}

TOutlineNode* TColdmereCustomOutline::LastDescendant(TOutlineNode* node)
{
    while (node->HasItems()) {
        const int last = node->ChildCount() - 1;
        node = node->m_children->nodes[size_t(last)];
        node->m_position = last;
    }
    return node;
}

TOutlineNode* TColdmereCustomOutline::PreOrderPredecessor(TOutlineNode* node)
{
    TOutlineNode* parent = node->m_parent;
    const int position = PositionOf(node);
    if (position == 0)
        return parent;
    return LastDescendant(parent->m_children->nodes[size_t(position - 1)]);
}

// --- child tables ---------------------------------------------------------------------

// Makes the first upTo entries of parent's child table right.
void TColdmereCustomOutline::ExtendTable(TOutlineNode* parent, int upTo)
{
    TOutlineNode::TChildTable& t = *parent->m_children;
    upTo = std::min(upTo, int(t.nodes.size()));
    for (int j = t.valid; j < upTo; ++j) {
        TOutlineNode* child = t.nodes[size_t(j)];
        child->m_position = j;
        t.rowsBefore[size_t(j) + 1] = t.rowsBefore[size_t(j)] + 1 + child->m_expandCount;
    }
    t.valid = std::max(t.valid, upTo);
}

int TColdmereCustomOutline::PositionOf(TOutlineNode* child)
{
    TOutlineNode::TChildTable& t = *child->m_parent->m_children;
    const int cached = child->m_position;
    if (cached >= 0 && cached < int(t.nodes.size()) && t.nodes[size_t(cached)] == child)
        return cached;
    // Every child before valid has its right position, so this one sits at or after it.
    for (int j = t.valid; j < int(t.nodes.size()); ++j) {
        ExtendTable(child->m_parent, j + 1);
        if (t.nodes[size_t(j)] == child)
            return j;
    }
    const auto it = std::find(t.nodes.begin(), t.nodes.end(), child);
    child->m_position = int(it - t.nodes.begin());
    return child->m_position;
}

void TColdmereCustomOutline::InvalidateTableAt(TOutlineNode* child)
{
    TOutlineNode::TChildTable& t = *child->m_parent->m_children;
    const int pos = child->m_position;
    if (pos >= 0 && pos < t.valid && t.nodes[size_t(pos)] == child)
        t.valid = pos;
}

// Adds delta to node's ExpandCount and to every expanded ancestor's.
void TColdmereCustomOutline::AdjustExpandCount(TOutlineNode* node, int delta)
{
    if (delta == 0)
        return;
    for (TOutlineNode* n = node; n; n = n->m_parent) {
        n->m_expandCount += delta;
        if (!n->m_parent)
            break;
        InvalidateTableAt(n);
        if (!n->m_parent->m_expanded)
            break;
    }
}

// Links node into parent's children at position (-1: last) and keeps counts and
// numbering right.
void TColdmereCustomOutline::AttachChild(TOutlineNode* parent, TOutlineNode* node, int position)
{
    if (!parent->m_children)
        parent->m_children = std::make_unique<TOutlineNode::TChildTable>();
    TOutlineNode::TChildTable& t = *parent->m_children;
    const int count = int(t.nodes.size());
    if (position < 0 || position > count)
        position = count;
    MoveMarkBack(position == 0 ? parent : LastDescendant(t.nodes[size_t(position - 1)]));

    node->m_parent = parent;
    node->m_owner = this;
    node->m_level = parent->m_level + 1;
    node->m_index = -1;
    node->m_position = position;
    t.nodes.insert(t.nodes.begin() + position, node);
    t.rowsBefore.push_back(0);
    if (position < count)
        t.valid = std::min(t.valid, position);
    else if (t.valid == count)
        ExtendTable(parent, count + 1);
    ++m_itemCount;
    if (parent->m_expanded)
        AdjustExpandCount(parent, 1 + node->m_expandCount);
}

// --- adding, looking up, deleting -------------------------------------------------------

TOutlineNode* TColdmereCustomOutline::Lookup(int index)
{
    if (index == 0)
        return m_root;
    if (index < 0 || index > m_itemCount)
        return nullptr;
    if (m_cache && m_cache != m_root && m_cache->m_index == index && IndexKnown(m_cache))
        return m_cache;
    if (index > m_goodIndex)
        RenumberForward(nullptr, index);
    if (index > m_goodIndex)
        return nullptr;
    TOutlineNode* n = m_root;
    while (n == m_root || n->m_index != index) {
        if (!n->HasItems())
            return nullptr;
        // Children up to the one on the mark's path have known numbers; all of them when
        // this node's subtree lies wholly before the mark.
        const std::vector<TOutlineNode*>& kids = n->m_children->nodes;
        int known = int(kids.size());
        if (size_t(n->m_level) < m_markPath.size() && m_markPath[size_t(n->m_level)] == n)
            known = n == m_mark ? 0 : PositionOf(m_markPath[size_t(n->m_level) + 1]) + 1;
        int lo = 0, hi = known - 1, found = -1;
        while (lo <= hi) {
            const int mid = lo + (hi - lo) / 2;
            if (kids[size_t(mid)]->m_index <= index) {
                found = mid;
                lo = mid + 1;
            } else {
                hi = mid - 1;
            }
        }
        if (found < 0)
            return nullptr;
        n = kids[size_t(found)];
        n->m_position = found;
    }
    m_cache = n;
    return n;
}

TOutlineNode* TColdmereCustomOutline::LookupOrRaise(int index)
{
    TOutlineNode* node = Lookup(index);
    if (!node)
        EOutlineError::Raise(EOutlineError::IndexNotFound);
    return node;
}

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
    if (index < 0)
        EOutlineError::Raise(EOutlineError::InvalidIndex);
    try {
        TOutlineNode* reference = LookupOrRaise(index);
        TOutlineNode* parent = reference;
        int position = -1;
        if (insert && reference != m_root) {
            parent = reference->m_parent;
            position = PositionOf(reference);
        } else if (reference->m_level >= MaxLevel) {
            EOutlineError::Raise(EOutlineError::DepthExceeded);
        }
        auto* node = new TOutlineNode(this, text, data);
        AttachChild(parent, node, position);
        if (insert)
            m_cache = reference == m_root ? m_root : node;
        if (node->IsVisible())
            ExtentAddsRows(node, node);
        if (!m_updating)
            UpdateRowCount();
        return IndexOf(node);
    } catch (const EOutlineError& e) {
        TMessageBox::Show(e.Message(), QStringLiteral("Error"));
        return 0;
    }
}

void TColdmereCustomOutline::Delete(int index)
{
    if (index <= 0)
        EOutlineError::Raise(EOutlineError::InvalidIndex);
    TOutlineNode* node = LookupOrRaise(index);
    TOutlineNode* parent = node->m_parent;
    const int position = PositionOf(node);
    const bool wasLast = position == parent->ChildCount() - 1;

    // A selection inside the removed subtree cannot outlive it.
    for (TOutlineNode* s = m_selected; s; s = s->m_parent) {
        if (s == node) {
            m_selected = m_root;
            break;
        }
    }
    // The cache keeps its index: it comes to mean the item that moves up into that place.
    const int cachedIndex = m_cache ? IndexOf(m_cache) : m_cacheIndex;
    m_cache = nullptr;
    MoveMarkBack(PreOrderPredecessor(node));
    if (parent->m_expanded)
        AdjustExpandCount(parent, -(1 + node->m_expandCount));

    TOutlineNode::TChildTable& t = *parent->m_children;
    t.nodes.erase(t.nodes.begin() + position);
    t.rowsBefore.pop_back();
    t.valid = std::min(t.valid, position);

    int removed = 0;
    std::vector<TOutlineNode*> stack{node};
    while (!stack.empty()) {
        TOutlineNode* n = stack.back();
        stack.pop_back();
        ++removed;
        for (int i = 0; i < n->ChildCount(); ++i)
            stack.push_back(n->m_children->nodes[size_t(i)]);
    }
    m_itemCount -= removed;
    delete node;
    m_cacheIndex = cachedIndex <= m_itemCount ? cachedIndex : 0;

    UpdateRowCount();
    if (parent != m_root && !parent->HasItems()) {
        SetNodeExpanded(parent, false);
        const int row = GetNodeRow(parent);
        if (row >= 0)
            SetRow(row);
    } else if (wasLast && parent->m_expanded && parent->HasItems()) {
        const int row = GetNodeRow(parent->m_children->nodes.back());
        if (row >= 0)
            SetRow(row);
    }
    InvalidateExtent();
    InvalidateGrid();
}

void TColdmereCustomOutline::Clear()
{
    delete m_root;
    m_root = NewRoot();
    m_selected = m_root;
    m_cache = nullptr;
    m_cacheIndex = 0;
    SetMark(m_root, 0);
    m_itemCount = 0;
    m_updateCount = 0;
    m_updating = false;
    UpdateRowCount();
    SetTopRow(0);
    SetRow(0);
    InvalidateExtent();
    InvalidateGrid();
}

TOutlineNode* TColdmereCustomOutline::Items(int index)
{
    if (index == 0)
        EOutlineError::Raise(EOutlineError::InvalidIndex);
    return LookupOrRaise(index);
}

int TColdmereCustomOutline::CurItem() { return m_cache ? IndexOf(m_cache) : m_cacheIndex; }

void TColdmereCustomOutline::SetCurItem(int index)
{
    if (index < 0)
        EOutlineError::Raise(EOutlineError::InvalidCurItem);
    m_cache = LookupOrRaise(index);
}

int TColdmereCustomOutline::GetTextItem(const QString& text)
{
    // A plain pre-order walk counts the numbers itself.
    int index = 0;
    std::vector<std::pair<TOutlineNode*, int>> stack{{m_root, 0}};
    while (!stack.empty()) {
        auto& [n, next] = stack.back();
        if (next >= n->ChildCount()) {
            stack.pop_back();
            continue;
        }
        TOutlineNode* child = n->m_children->nodes[size_t(next++)];
        ++index;
        if (child->m_text == text)
            return index;
        if (child->HasItems())
            stack.push_back({child, 0});
    }
    return 0;
}

// --- rows -----------------------------------------------------------------------------

TOutlineNode* TColdmereCustomOutline::GetVisibleNode(int row)
{
    if (row < 0 || row >= m_root->m_expandCount)
        return nullptr;
    TOutlineNode* n = m_root;
    int r = row;
    for (;;) {
        TOutlineNode::TChildTable& t = *n->m_children;
        const int count = int(t.nodes.size());
        ExtendTable(n, count);
        const auto begin = t.rowsBefore.begin();
        const int j = int(std::upper_bound(begin, begin + count, r) - begin) - 1;
        TOutlineNode* child = t.nodes[size_t(j)];
        r -= t.rowsBefore[size_t(j)];
        if (r == 0)
            return child;
        r -= 1;
        n = child;
    }
}

int TColdmereCustomOutline::GetNodeRow(TOutlineNode* node)
{
    if (!node || node == m_root || node->m_owner != this)
        return -1;
    for (TOutlineNode* a = node->m_parent; a; a = a->m_parent) {
        if (!a->m_expanded)
            return -1;
    }
    int row = 0;
    for (TOutlineNode* n = node; n != m_root; n = n->m_parent) {
        TOutlineNode* parent = n->m_parent;
        const int position = PositionOf(n);
        ExtendTable(parent, position);
        row += parent->m_children->rowsBefore[size_t(position)];
        if (parent != m_root)
            row += 1;
    }
    return row;
}

void TColdmereCustomOutline::UpdateRowCount() { SetRowCount(std::max(1, m_root->m_expandCount)); }

// --- expanding and collapsing -----------------------------------------------------------

void TColdmereCustomOutline::SetNodeExpanded(TOutlineNode* node, bool expanded)
{
    if (node == m_root || node->m_expanded == expanded)
        return;
    if (expanded) {
        for (TOutlineNode* a = node->m_parent; a; a = a->m_parent) {
            if (!a->m_expanded)
                EOutlineError::Raise(EOutlineError::ParentCollapsed);
        }
        if (OnExpand)
            OnExpand(this, IndexOf(node));
        if (node->m_expanded)
            return; // the handler expanded it already
        node->m_expanded = true;
        // The children are all collapsed, so each adds its own row.
        AdjustExpandCount(node, node->ChildCount());
        if (node->HasItems())
            ExtentAddsRows(node->m_children->nodes.front(), node->m_children->nodes.back());
    } else {
        for (int i = 0; i < node->ChildCount(); ++i) {
            TOutlineNode* child = node->m_children->nodes[size_t(i)];
            if (child->m_expanded)
                SetNodeExpanded(child, false);
        }
        AdjustExpandCount(node, -node->m_expandCount);
        UpdateRowCount();
        if (OnCollapse)
            OnCollapse(this, IndexOf(node));
        node->m_expanded = false;
        if (node->IsVisible())
            InvalidateExtent();
    }
    UpdateRowCount();
    InvalidateGrid();
}

void TColdmereCustomOutline::FullExpand()
{
    for (int i = 0; i < m_root->ChildCount(); ++i)
        m_root->m_children->nodes[size_t(i)]->FullExpand();
}

void TColdmereCustomOutline::BeginUpdate()
{
    if (m_updateCount++ == 0)
        m_updating = true;
}

void TColdmereCustomOutline::EndUpdate()
{
    if (m_updateCount > 0)
        --m_updateCount;
    if (m_updateCount > 0)
        return;
    m_updating = false;
    UpdateRowCount();
    InvalidateExtent();
    InvalidateGrid();
}

// --- selection ------------------------------------------------------------------------

TOutlineNode* TColdmereCustomOutline::SelectedNode()
{
    if (m_selected == m_root && m_itemCount > 0) {
        if (TOutlineNode* n = GetVisibleNode(Row()))
            m_selected = n;
    }
    while (m_selected != m_root && !m_selected->m_parent->m_expanded)
        m_selected = m_selected->m_parent;
    return m_selected;
}

int TColdmereCustomOutline::SelectedItem()
{
    TOutlineNode* n = SelectedNode();
    return n == m_root ? 0 : IndexOf(n);
}

void TColdmereCustomOutline::SetSelectedItem(int index)
{
    if (m_updating)
        return;
    if (index == 0 && m_itemCount > 0)
        index = 1;
    if (index <= 0)
        EOutlineError::Raise(EOutlineError::InvalidSelection);
    SelectNode(LookupOrRaise(index));
}

void TColdmereCustomOutline::SelectNode(TOutlineNode* node)
{
    if (m_updating || !node || node == m_root)
        return;
    while (!node->m_parent->m_expanded)
        node = node->m_parent;
    m_selected = node;
    const int row = GetNodeRow(node);
    if (row >= 0)
        SetRow(row);
}

// --- text and geometry --------------------------------------------------------------------

void TColdmereCustomOutline::NodeTextChanged(TOutlineNode* node)
{
    if (node->IsVisible()) {
        InvalidateCell(GetNodeRow(node));
        InvalidateExtent();
    }
}

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
    if (node->m_textWidth < 0)
        node->m_textWidth = metrics.horizontalAdvance(node->m_text);
    return std::max(0, node->m_textWidth + Indentation(node->m_level) + 1);
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
    m_walk.stack.assign(1, {m_root, 0});
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
        if (!n->m_expanded || next >= n->ChildCount()) {
            stack.pop_back();
            continue;
        }
        TOutlineNode* child = n->m_children->nodes[size_t(next++)];
        m_walk.widest = std::max(m_walk.widest, RowWidth(child, metrics));
        if (child->m_expanded && child->HasItems())
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

// New visible rows can only widen the column: the siblings first .. last are measured
// alone instead of every visible row.
void TColdmereCustomOutline::ExtentAddsRows(TOutlineNode* first, TOutlineNode* last)
{
    if (ColumnFollowsClient() || m_updating || m_extentDirty) {
        InvalidateExtent();
        return;
    }
    const QFontMetrics metrics(font());
    TOutlineNode::TChildTable& t = *first->m_parent->m_children;
    for (int j = PositionOf(first), end = PositionOf(last); j <= end; ++j)
        m_extent = std::max(m_extent, RowWidth(t.nodes[size_t(j)], metrics));
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

void TColdmereCustomOutline::SetLines(const QStringList& lines) { m_lines->Assign(lines); }

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
    std::vector<TOutlineNode*> stack{m_root};
    while (!stack.empty()) {
        TOutlineNode* n = stack.back();
        stack.pop_back();
        n->m_textWidth = -1;
        for (int i = 0; i < n->ChildCount(); ++i)
            stack.push_back(n->m_children->nodes[size_t(i)]);
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
    if (m_itemCount == 0) {
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
            const QRect text = rect.adjusted(std::max(0, Indentation(node->m_level)) + 1, 0, 0, 0);
            canvas->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             node->m_text);
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
    m_selected = m_root;
}

void TColdmereCustomOutline::Click()
{
    if (m_itemCount > 0) {
        if (TOutlineNode* n = GetVisibleNode(Row()))
            SetSelectedItem(IndexOf(n));
    }
    TColdmereCustomGrid::Click();
}

void TColdmereCustomOutline::DblClick()
{
    TColdmereCustomGrid::DblClick();
    TOutlineNode* n = SelectedNode();
    if (n != m_root)
        SetNodeExpanded(n, !n->m_expanded);
}

void TColdmereCustomOutline::Beep() { QApplication::beep(); }

void TColdmereCustomOutline::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TColdmereCustomGrid::KeyDown(key, shift);
    if (key == 0 || m_itemCount == 0)
        return;
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    TOutlineNode* rowNode = GetVisibleNode(Row());
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (rowNode)
            SetNodeExpanded(rowNode, !rowNode->m_expanded);
        break;
    case Qt::Key_Home: SelectNode(m_root->m_children->nodes.front()); break;
    case Qt::Key_End: {
        TOutlineNode* n = m_root->m_children->nodes.back();
        while (n->m_expanded && n->HasItems())
            n = n->m_children->nodes.back();
        SelectNode(n);
        break;
    }
    case Qt::Key_Left: {
        TOutlineNode* n = SelectedNode();
        if (n->m_parent == m_root)
            Beep();
        else
            SelectNode(n->m_parent);
        break;
    }
    case Qt::Key_Right: {
        TOutlineNode* n = SelectedNode();
        if (n->HasItems() && n->m_expanded)
            SelectNode(n->m_children->nodes.front());
        else
            Beep();
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (ctrl) {
            TOutlineNode* n = SelectedNode();
            const int position = PositionOf(n) + (key == Qt::Key_Up ? -1 : 1);
            if (position < 0 || position >= n->m_parent->ChildCount())
                Beep();
            else
                SelectNode(n->m_parent->m_children->nodes[size_t(position)]);
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
    if (key.isNull() || m_itemCount == 0)
        return;
    TOutlineNode* n = SelectedNode();
    if (n == m_root)
        return;
    if (key == QLatin1Char('+'))
        SetNodeExpanded(n, true);
    else if (key == QLatin1Char('-'))
        SetNodeExpanded(n, false);
    else if (key == QLatin1Char('*'))
        n->FullExpand();
}

// --- indented text ----------------------------------------------------------------------

void TColdmereCustomOutline::PlaceLoadedLine(int indent, const QString& text,
                                             TOutlineNode*& previous, int& previousIndent)
{
    TOutlineNode* parent = previous;
    if (indent > previousIndent || previous == m_root) {
        if (indent - previousIndent > 1)
            EOutlineError::Raise(EOutlineError::FileLoadError);
    } else {
        for (int i = 0; i < previousIndent - indent + 1; ++i) {
            parent = parent->m_parent;
            if (!parent)
                EOutlineError::Raise(EOutlineError::FileLoadError);
        }
    }
    if (parent->m_level >= MaxLevel)
        EOutlineError::Raise(EOutlineError::DepthExceeded);
    AttachChild(parent, new TOutlineNode(this, text, nullptr), -1);
    previous = parent->m_children->nodes.back();
    previousIndent = indent;
}

void TColdmereCustomOutline::LoadFromStream(QIODevice& stream)
{
    Clear();
    try {
        // One byte beyond the buffer holds the end-of-data mark.
        std::vector<char> buffer(kLoadBufferSize + 1);
        char* buf = buffer.data();
        int filled = 0;
        bool exhausted = false;
        bool skipLineFeed = false; // the last chunk ended on a carriage return
        bool done = false;
        bool firstChunk = true;
        TOutlineNode* previous = m_root;
        int previousIndent = 0;
        while (!done) {
            while (filled < kLoadBufferSize && !exhausted) {
                const qint64 got = stream.read(buf + filled, kLoadBufferSize - filled);
                if (got <= 0)
                    exhausted = true;
                else
                    filled += int(got);
            }
            int end;
            if (exhausted) {
                buf[filled] = kEndOfData;
                end = filled + 1;
            } else {
                const char* cr = nullptr;
                for (int i = filled - 1; i >= 0; --i) {
                    if (buf[i] == '\r') {
                        cr = buf + i;
                        break;
                    }
                }
                if (!cr)
                    EOutlineError::Raise(EOutlineError::LineTooLong);
                end = int(cr - buf) + 1;
                if (end < filled && buf[end] == '\n')
                    ++end;
            }
            int pos = 0;
            // A byte-order mark opens the file, not the first line: its indentation follows.
            if (firstChunk && end >= 3 && std::memcmp(buf, "\xEF\xBB\xBF", 3) == 0)
                pos = 3;
            firstChunk = false;
            if (skipLineFeed && pos < end && buf[pos] == '\n')
                ++pos;
            skipLineFeed = false;
            while (pos < end) {
                if (buf[pos] == kEndOfData) {
                    done = true;
                    break;
                }
                int indent = 0;
                while (buf[pos] == '\t' || buf[pos] == ' ') {
                    ++indent;
                    ++pos;
                }
                const int start = pos;
                while (buf[pos] != '\r' && buf[pos] != kEndOfData)
                    ++pos;
                const QString text = TTextCodec::DecodePart(QByteArray(buf + start, pos - start));
                if (buf[pos] == '\r') {
                    ++pos;
                    if (pos < end && buf[pos] == '\n')
                        ++pos;
                    else if (pos == end && !exhausted)
                        skipLineFeed = true;
                }
                PlaceLoadedLine(indent, text, previous, previousIndent);
            }
            if (exhausted)
                done = true;
            std::memmove(buf, buf + end, size_t(filled - end > 0 ? filled - end : 0));
            filled = std::max(0, filled - end);
        }
    } catch (...) {
        FinishLoad();
        throw;
    }
    FinishLoad();
}

void TColdmereCustomOutline::FinishLoad()
{
    SetTopRow(0);
    UpdateRowCount();
    SetRow(0);
    m_selected = m_itemCount > 0 ? m_root->m_children->nodes.front() : m_root;
    InvalidateExtent();
    InvalidateGrid();
}

bool TColdmereCustomOutline::SaveToStream(QIODevice& stream)
{
    QByteArray out;
    bool ok = true;
    auto flush = [&] {
        if (!out.isEmpty() && stream.write(out) != out.size())
            ok = false;
        out.clear();
    };
    // The loader takes a mark at the very start for the file's own, so a first item whose
    // text begins with one gets a file mark in front of it.
    if (m_itemCount > 0 && m_root->m_children->nodes.front()->m_text.startsWith(QChar(0xFEFF)))
        out.append("\xEF\xBB\xBF", 3);
    std::vector<std::pair<TOutlineNode*, int>> stack{{m_root, 0}};
    while (!stack.empty() && ok) {
        auto& [n, next] = stack.back();
        if (next >= n->ChildCount()) {
            stack.pop_back();
            continue;
        }
        TOutlineNode* child = n->m_children->nodes[size_t(next++)];
        out.append(QByteArray(child->m_level - 1, '\t'));
        out.append(child->m_text.toUtf8());
        out.append("\r\n", 2);
        if (out.size() >= 65536)
            flush();
        if (child->HasItems())
            stack.push_back({child, 0});
    }
    flush();
    return ok;
}
