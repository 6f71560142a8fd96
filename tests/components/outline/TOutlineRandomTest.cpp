// Drives an outline tree with thousands of random operations and checks it after each one
// against a plain tree that is walked in full every time: once alone, with a stand-in for
// the grid that shows it, and once inside the outline control.
#include "OutlineTestPrint.h"
#include "common/TestSupport.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TColdmereOutline.h"
#include "components/outline/TOutlineTree.h"
#include "components/outline/TOutlineTreeObserver.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

namespace {

struct RNode
{
    QString text;
    RNode* parent = nullptr;
    std::vector<std::unique_ptr<RNode>> kids;
    bool expanded = false;

    int Level() const { return parent ? parent->Level() + 1 : 0; }
};

class Reference
{
public:
    Reference() { root.expanded = true; }

    RNode root;
    RNode* selected = nullptr; // null: the selection follows the row

    std::vector<RNode*> PreOrder()
    {
        std::vector<RNode*> r;
        Walk(&root, r, false);
        return r;
    }
    std::vector<RNode*> VisibleRows()
    {
        std::vector<RNode*> r;
        Walk(&root, r, true);
        return r;
    }
    static int ExpandCount(const RNode* n)
    {
        if (!n->expanded)
            return 0;
        int c = 0;
        for (const auto& k : n->kids)
            c += 1 + ExpandCount(k.get());
        return c;
    }
    static bool AncestorsExpanded(const RNode* n)
    {
        for (const RNode* a = n->parent; a; a = a->parent)
            if (!a->expanded)
                return false;
        return true;
    }
    static void Collapse(RNode* n)
    {
        for (auto& k : n->kids)
            Collapse(k.get());
        n->expanded = false;
    }
    static int PositionOf(const RNode* n)
    {
        for (size_t i = 0; i < n->parent->kids.size(); ++i)
            if (n->parent->kids[i].get() == n)
                return int(i);
        return -1;
    }

private:
    static void Walk(RNode* n, std::vector<RNode*>& out, bool visibleOnly)
    {
        if (visibleOnly && !n->expanded)
            return;
        for (auto& k : n->kids) {
            out.push_back(k.get());
            Walk(k.get(), out, visibleOnly);
        }
    }
};

// What shows the tree: its current row and row count, and the selection that follows them.
class Host
{
public:
    virtual ~Host() = default;
    virtual TOutlineTree& Tree() = 0;
    virtual int Row() = 0;
    virtual int RowCount() = 0;
    virtual int SelectedItem() = 0;
};

// The tree alone. The stand-in keeps its row the way the grid does: at least one row, the
// current row clamped inside them, counted only when the tree reports it.
class TreeHost : public Host, private TOutlineTreeObserver
{
public:
    TreeHost() { m_tree.SetObserver(this); }
    TOutlineTree& Tree() override { return m_tree; }
    int Row() override { return m_row; }
    int RowCount() override { return m_rowCount; }
    int SelectedItem() override { return m_tree.SelectedItem(m_row); }

private:
    void RowCountChanged() override
    {
        m_rowCount = std::max(1, m_tree.VisibleNodeCount());
        m_row = std::min(m_row, m_rowCount - 1);
    }
    void CurrentItemChanged(TOutlineNode* node) override
    {
        const int row = m_tree.GetNodeRow(node);
        if (row >= 0)
            m_row = std::clamp(row, 0, m_rowCount - 1);
    }
    void TreeReset() override
    {
        RowCountChanged();
        m_row = 0;
    }

    TOutlineTree m_tree;
    int m_row = 0;
    int m_rowCount = 1;
};

class WidgetHost : public Host
{
public:
    TOutlineTree& Tree() override { return m_outline.Tree(); }
    int Row() override { return m_outline.Row(); }
    int RowCount() override { return m_outline.RowCount(); }
    int SelectedItem() override { return m_outline.SelectedItem(); }

private:
    TColdmereOutline m_outline;
};

// The parameter: true for the tree inside the outline control.
class OutlineRandom : public ::testing::TestWithParam<bool>
{
protected:
    std::unique_ptr<Host> host =
        GetParam() ? std::unique_ptr<Host>(new WidgetHost) : std::unique_ptr<Host>(new TreeHost);
    TOutlineTree& outline = host->Tree();
    Reference ref;
    std::mt19937 rng{20240611};
    int nextName = 0;
    bool updating = false;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    int IndexIn(const std::vector<RNode*>& pre, const RNode* n)
    {
        for (size_t i = 0; i < pre.size(); ++i)
            if (pre[i] == n)
                return int(i) + 1;
        return 0;
    }

    void AddChild()
    {
        auto pre = ref.PreOrder();
        const int index = Pick(0, int(pre.size()));
        RNode* parent = index == 0 ? &ref.root : pre[size_t(index - 1)];
        const QString text = QStringLiteral("n%1").arg(nextName++);
        const int got = outline.AddChild(index, text);
        auto node = std::make_unique<RNode>();
        node->text = text;
        node->parent = parent;
        RNode* raw = node.get();
        parent->kids.push_back(std::move(node));
        ASSERT_EQ(got, IndexIn(ref.PreOrder(), raw)) << "AddChild(" << index << ")";
    }

    void Insert()
    {
        auto pre = ref.PreOrder();
        const int index = Pick(0, int(pre.size()));
        const QString text = QStringLiteral("n%1").arg(nextName++);
        const int got = outline.Insert(index, text);
        auto node = std::make_unique<RNode>();
        node->text = text;
        RNode* raw = node.get();
        if (index == 0) {
            node->parent = &ref.root;
            ref.root.kids.push_back(std::move(node));
        } else {
            RNode* before = pre[size_t(index - 1)];
            node->parent = before->parent;
            auto& kids = before->parent->kids;
            kids.insert(kids.begin() + Reference::PositionOf(before), std::move(node));
        }
        ASSERT_EQ(got, index == 0 ? int(pre.size()) + 1 : index);
        ASSERT_EQ(got, IndexIn(ref.PreOrder(), raw));
    }

    void Delete()
    {
        auto pre = ref.PreOrder();
        if (pre.empty())
            return;
        const int index = Pick(1, int(pre.size()));
        RNode* victim = pre[size_t(index - 1)];
        RNode* parent = victim->parent;
        for (RNode* s = ref.selected; s; s = s->parent)
            if (s == victim)
                ref.selected = nullptr;
        outline.Delete(index);
        parent->kids.erase(parent->kids.begin() + Reference::PositionOf(victim));
        if (parent != &ref.root && parent->kids.empty())
            parent->expanded = false;
    }

    void Expand()
    {
        auto pre = ref.PreOrder();
        if (pre.empty())
            return;
        const int index = Pick(1, int(pre.size()));
        RNode* n = pre[size_t(index - 1)];
        if (Reference::AncestorsExpanded(n)) {
            outline.Items(index)->Expand();
            n->expanded = true;
        } else {
            try {
                outline.Items(index)->Expand();
                FAIL() << "expanded below a collapsed ancestor";
            } catch (const EOutlineError& e) {
                ASSERT_EQ(e.Message(), "Parent must be expanded");
            }
        }
    }

    void Collapse()
    {
        auto pre = ref.PreOrder();
        if (pre.empty())
            return;
        const int index = Pick(1, int(pre.size()));
        outline.Items(index)->Collapse();
        Reference::Collapse(pre[size_t(index - 1)]);
    }

    void Select()
    {
        auto pre = ref.PreOrder();
        if (pre.empty())
            return;
        const int index = Pick(1, int(pre.size()));
        outline.SetSelectedItem(index);
        if (updating)
            return; // ignored while updating
        RNode* n = pre[size_t(index - 1)];
        while (!n->parent->expanded)
            n = n->parent;
        ref.selected = n;
    }

    void FullExpandAll()
    {
        outline.FullExpand();
        for (RNode* n : ref.PreOrder())
            if (!n->kids.empty())
                n->expanded = true;
    }

    // Everything the outline answers must agree with the full walk of the reference.
    void Check(int step)
    {
        SCOPED_TRACE(::testing::Message() << "after step " << step);
        auto pre = ref.PreOrder();
        auto rows = ref.VisibleRows();
        ASSERT_EQ(outline.ItemCount(), int(pre.size()));
        ASSERT_EQ(outline.RootNode()->ExpandCount(), int(rows.size()));
        if (!updating)
            ASSERT_EQ(host->RowCount(), std::max(1, int(rows.size())));

        // Ask for numbers in a random order, so renumbering starts from all kinds of marks.
        std::vector<TOutlineNode*> nodes;
        std::vector<TOutlineNode*> stack{outline.RootNode()};
        while (!stack.empty()) {
            TOutlineNode* n = stack.back();
            stack.pop_back();
            for (int i = n->ChildCount() - 1; i >= 0; --i)
                stack.push_back(n->Child(i));
            if (n != outline.RootNode())
                nodes.push_back(n);
        }
        ASSERT_EQ(nodes.size(), pre.size());
        std::vector<size_t> order(nodes.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::shuffle(order.begin(), order.end(), rng);
        for (size_t k : order) {
            ASSERT_EQ(nodes[k]->Text(), pre[k]->text);
            ASSERT_EQ(nodes[k]->Index(), int(k) + 1) << pre[k]->text.toStdString();
            ASSERT_EQ(nodes[k]->Level(), pre[k]->Level());
            ASSERT_EQ(nodes[k]->Expanded(), pre[k]->expanded);
            ASSERT_EQ(nodes[k]->ExpandCount(), Reference::ExpandCount(pre[k]));
        }
        std::shuffle(order.begin(), order.end(), rng);
        for (size_t k : order)
            ASSERT_EQ(outline.Items(int(k) + 1), nodes[k]);

        for (size_t r = 0; r < rows.size(); ++r) {
            TOutlineNode* v = outline.GetVisibleNode(int(r));
            ASSERT_NE(v, nullptr);
            ASSERT_EQ(v->Text(), rows[r]->text) << "row " << r;
            ASSERT_EQ(outline.GetNodeRow(v), int(r));
        }
        ASSERT_EQ(outline.GetVisibleNode(int(rows.size())), nullptr);

        if (!updating) {
            ASSERT_LT(host->Row(), host->RowCount());
            RNode* expected = ref.selected;
            if (expected) {
                while (!expected->parent->expanded)
                    expected = expected->parent;
            } else if (!rows.empty()) {
                expected = rows[size_t(host->Row())];
            }
            ASSERT_EQ(host->SelectedItem(), expected ? IndexIn(pre, expected) : 0);
            ref.selected = expected; // reading the selection settles it
        }
    }
};

TEST_P(OutlineRandom, AgreesWithAFullWalkAfterEveryOperation)
{
    TMessageCapture messages;
    for (int step = 0; step < 6000; ++step) {
        const int size = outline.ItemCount();
        int op = Pick(0, 99);
        if (size > 250 && op < 45)
            op = 60; // keep the tree small enough to walk in full each time
        if (op < 25)
            AddChild();
        else if (op < 40)
            Insert();
        else if (op < 58)
            Delete();
        else if (op < 75)
            Expand();
        else if (op < 85)
            Collapse();
        else if (op < 94)
            Select();
        else if (op < 96)
            FullExpandAll();
        else if (op < 99) {
            if (updating)
                outline.EndUpdate();
            else
                outline.BeginUpdate();
            updating = !updating;
        } else if (Pick(0, 9) == 0) {
            outline.Clear();
            ref.root.kids.clear();
            ref.selected = nullptr;
            updating = false;
        }
        if (HasFatalFailure())
            return;
        Check(step);
        if (HasFatalFailure())
            return;
    }
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_GT(nextName, 1000);
}

INSTANTIATE_TEST_SUITE_P(TreeAloneAndInTheControl, OutlineRandom, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "InTheControl" : "TreeAlone";
                         });

} // namespace
