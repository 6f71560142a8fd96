#include "components/outline/TOutlineTree.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TIndentedText.h"
#include "components/outline/TOutlineStrings.h"
#include "components/outline/TOutlineTreeObserver.h"
#include <algorithm>
#include <climits>
#include <utility>

namespace {

// The observer of a tree nobody watches.
TOutlineTreeObserver g_nobody;

} // namespace

TOutlineTree::TOutlineTree()
    : m_observer(&g_nobody), m_lines(std::make_unique<TOutlineStrings>(*this))
{
    m_root = NewRoot();
    m_selected = m_root;
    SetMark(m_root, 0);
}

TOutlineTree::~TOutlineTree() { delete m_root; }

void TOutlineTree::SetObserver(TOutlineTreeObserver* observer)
{
    m_observer = observer ? observer : &g_nobody;
}

TOutlineNode* TOutlineTree::NewRoot()
{
    auto* root = new TOutlineNode(this, QString(), nullptr);
    root->m_index = 0;
    root->m_expanded = true;
    return root;
}

// --- numbering ------------------------------------------------------------------------

void TOutlineTree::SetMark(TOutlineNode* node, int index)
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
bool TOutlineTree::IndexKnown(TOutlineNode* node)
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

int TOutlineTree::IndexOf(TOutlineNode* node)
{
    if (IndexKnown(node))
        return node->m_index;
    RenumberForward(node, INT_MAX);
    return node->m_index;
}

// Numbers the nodes after the mark in pre-order until target or targetIndex is reached.
void TOutlineTree::RenumberForward(const TOutlineNode* target, int targetIndex)
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
void TOutlineTree::MoveMarkBack(TOutlineNode* predecessor)
{
    if (m_goodIndex > predecessor->m_index && IndexKnown(predecessor))
        SetMark(predecessor, predecessor->m_index);
}

TOutlineNode* TOutlineTree::NextPreOrder(TOutlineNode* node)
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

TOutlineNode* TOutlineTree::LastDescendant(TOutlineNode* node)
{
    while (node->HasItems()) {
        const int last = node->ChildCount() - 1;
        node = node->m_children->nodes[size_t(last)];
        node->m_position = last;
    }
    return node;
}

TOutlineNode* TOutlineTree::PreOrderPredecessor(TOutlineNode* node)
{
    TOutlineNode* parent = node->m_parent;
    const int position = PositionOf(node);
    if (position == 0)
        return parent;
    return LastDescendant(parent->m_children->nodes[size_t(position - 1)]);
}

// --- child tables ---------------------------------------------------------------------

// Makes the first upTo entries of parent's child table right.
void TOutlineTree::ExtendTable(TOutlineNode* parent, int upTo)
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

int TOutlineTree::PositionOf(TOutlineNode* child)
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

void TOutlineTree::InvalidateTableAt(TOutlineNode* child)
{
    TOutlineNode::TChildTable& t = *child->m_parent->m_children;
    const int pos = child->m_position;
    if (pos >= 0 && pos < t.valid && t.nodes[size_t(pos)] == child)
        t.valid = pos;
}

// Adds delta to node's ExpandCount and to every expanded ancestor's.
void TOutlineTree::AdjustExpandCount(TOutlineNode* node, int delta)
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
void TOutlineTree::AttachChild(TOutlineNode* parent, std::unique_ptr<TOutlineNode> owned,
                               int position)
{
    if (!parent->m_children)
        parent->m_children = std::make_unique<TOutlineNode::TChildTable>();
    TOutlineNode::TChildTable& t = *parent->m_children;
    const int count = int(t.nodes.size());
    if (position < 0 || position > count)
        position = count;
    MoveMarkBack(position == 0 ? parent : LastDescendant(t.nodes[size_t(position - 1)]));

    TOutlineNode* node = owned.get();
    node->m_parent = parent;
    node->m_level = parent->m_level + 1;
    node->m_index = -1;
    node->m_position = position;
    t.nodes.insert(t.nodes.begin() + position, node);
    owned.release(); // the parent's table owns it now
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

TOutlineNode* TOutlineTree::Lookup(int index)
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

TOutlineNode* TOutlineTree::LookupOrRaise(int index)
{
    TOutlineNode* node = Lookup(index);
    if (!node)
        EOutlineError::Raise(EOutlineError::IndexNotFound);
    return node;
}

int TOutlineTree::AddChild(int index, const QString& text)
{
    return AddNode(index, text, nullptr, false);
}

int TOutlineTree::AddChildObject(int index, const QString& text, void* data)
{
    return AddNode(index, text, data, false);
}

int TOutlineTree::Insert(int index, const QString& text)
{
    return AddNode(index, text, nullptr, true);
}

int TOutlineTree::InsertObject(int index, const QString& text, void* data)
{
    return AddNode(index, text, data, true);
}

int TOutlineTree::AddNode(int index, const QString& text, void* data, bool insert)
{
    if (index < 0)
        EOutlineError::Raise(EOutlineError::InvalidIndex);
    TOutlineNode* reference = LookupOrRaise(index);
    TOutlineNode* parent = reference;
    int position = -1;
    if (insert && reference != m_root) {
        parent = reference->m_parent;
        position = PositionOf(reference);
    } else if (reference->m_level >= MaxLevel) {
        EOutlineError::Raise(EOutlineError::DepthExceeded);
    }
    std::unique_ptr<TOutlineNode> owned(new TOutlineNode(this, text, data));
    TOutlineNode* node = owned.get();
    AttachChild(parent, std::move(owned), position);
    if (insert)
        m_cache = reference == m_root ? m_root : node;
    if (node->IsVisible())
        m_observer->RowsAdded(node, node);
    if (!m_updating)
        m_observer->RowCountChanged();
    return IndexOf(node);
}

void TOutlineTree::Delete(int index)
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

    m_observer->RowCountChanged();
    if (parent != m_root && !parent->HasItems()) {
        SetExpanded(parent, false);
        m_observer->CurrentItemChanged(parent);
    } else if (wasLast && parent->m_expanded && parent->HasItems()) {
        m_observer->CurrentItemChanged(parent->m_children->nodes.back());
    }
    m_observer->RowWidthsChanged();
    m_observer->RepaintNeeded();
}

void TOutlineTree::Clear()
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
    m_observer->TreeReset();
}

TOutlineNode* TOutlineTree::Items(int index)
{
    if (index == 0)
        EOutlineError::Raise(EOutlineError::InvalidIndex);
    return LookupOrRaise(index);
}

int TOutlineTree::CurItem() { return m_cache ? IndexOf(m_cache) : m_cacheIndex; }

void TOutlineTree::SetCurItem(int index)
{
    if (index < 0)
        EOutlineError::Raise(EOutlineError::InvalidCurItem);
    m_cache = LookupOrRaise(index);
}

int TOutlineTree::GetTextItem(const QString& text)
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

void TOutlineTree::SetText(TOutlineNode* node, const QString& text)
{
    node->m_text = text;
    node->m_textWidth = -1;
    m_observer->TextChanged(node);
}

// --- rows -----------------------------------------------------------------------------

TOutlineNode* TOutlineTree::GetVisibleNode(int row)
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

int TOutlineTree::GetNodeRow(TOutlineNode* node)
{
    if (!node || node == m_root || node->m_tree != this)
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

// --- expanding and collapsing -----------------------------------------------------------

void TOutlineTree::SetExpanded(TOutlineNode* node, bool expanded)
{
    if (node == m_root || node->m_expanded == expanded)
        return;
    if (expanded) {
        for (TOutlineNode* a = node->m_parent; a; a = a->m_parent) {
            if (!a->m_expanded)
                EOutlineError::Raise(EOutlineError::ParentCollapsed);
        }
        m_observer->Expanding(node);
        if (node->m_expanded)
            return; // the observer expanded it already
        node->m_expanded = true;
        // The children are all collapsed, so each adds its own row.
        AdjustExpandCount(node, node->ChildCount());
        if (node->HasItems())
            m_observer->RowsAdded(node->m_children->nodes.front(), node->m_children->nodes.back());
    } else {
        for (int i = 0; i < node->ChildCount(); ++i) {
            TOutlineNode* child = node->m_children->nodes[size_t(i)];
            if (child->m_expanded)
                SetExpanded(child, false);
        }
        AdjustExpandCount(node, -node->m_expandCount);
        m_observer->RowCountChanged();
        m_observer->Collapsing(node);
        node->m_expanded = false;
        if (node->IsVisible())
            m_observer->RowWidthsChanged();
    }
    m_observer->RowCountChanged();
    m_observer->RepaintNeeded();
}

void TOutlineTree::FullExpand()
{
    for (int i = 0; i < m_root->ChildCount(); ++i)
        m_root->m_children->nodes[size_t(i)]->FullExpand();
}

void TOutlineTree::BeginUpdate()
{
    if (m_updateCount++ == 0)
        m_updating = true;
}

void TOutlineTree::EndUpdate()
{
    if (m_updateCount > 0)
        --m_updateCount;
    if (m_updateCount > 0)
        return;
    m_updating = false;
    m_observer->RowCountChanged();
    m_observer->RowWidthsChanged();
    m_observer->RepaintNeeded();
}

// --- selection ------------------------------------------------------------------------

TOutlineNode* TOutlineTree::SelectedNode(int currentRow)
{
    if (m_selected == m_root && m_itemCount > 0) {
        if (TOutlineNode* n = GetVisibleNode(currentRow))
            m_selected = n;
    }
    while (m_selected != m_root && !m_selected->m_parent->m_expanded)
        m_selected = m_selected->m_parent;
    return m_selected;
}

int TOutlineTree::SelectedItem(int currentRow)
{
    TOutlineNode* n = SelectedNode(currentRow);
    return n == m_root ? 0 : IndexOf(n);
}

void TOutlineTree::SetSelectedItem(int index)
{
    if (m_updating)
        return;
    if (index == 0 && m_itemCount > 0)
        index = 1;
    if (index <= 0)
        EOutlineError::Raise(EOutlineError::InvalidSelection);
    SelectNode(LookupOrRaise(index));
}

void TOutlineTree::SelectNode(TOutlineNode* node)
{
    if (m_updating || !node || node == m_root)
        return;
    while (!node->m_parent->m_expanded)
        node = node->m_parent;
    m_selected = node;
    m_observer->CurrentItemChanged(node);
}

// --- indented text ----------------------------------------------------------------------

void TOutlineTree::PlaceLoadedLine(int indent, const QString& text, TOutlineNode*& previous,
                                   int& previousIndent)
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
    AttachChild(parent, std::unique_ptr<TOutlineNode>(new TOutlineNode(this, text, nullptr)), -1);
    previous = parent->m_children->nodes.back();
    previousIndent = indent;
}

void TOutlineTree::LoadFromStream(QIODevice& stream)
{
    Clear();
    TOutlineNode* previous = m_root;
    int previousIndent = 0;
    try {
        TIndentedText::Read(stream, [&](int indent, const QString& text) {
            PlaceLoadedLine(indent, text, previous, previousIndent);
        });
    } catch (...) {
        // The lines read so far stay and are shown; the error goes on to the caller.
        FinishLoad();
        throw;
    }
    FinishLoad();
}

void TOutlineTree::FinishLoad()
{
    m_selected = m_itemCount > 0 ? m_root->m_children->nodes.front() : m_root;
    m_observer->TreeReset();
}

bool TOutlineTree::SaveToStream(QIODevice& stream) const
{
    return TIndentedText::Write(stream, *m_root);
}
