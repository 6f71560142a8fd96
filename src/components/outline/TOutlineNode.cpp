#include "components/outline/TOutlineNode.h"
#include "components/outline/TOutlineTree.h"

TOutlineNode::TOutlineNode(TOutlineTree* tree, const QString& text, void* data)
    : m_text(text), m_data(data), m_tree(tree)
{}

TOutlineNode::~TOutlineNode()
{
    if (m_children) {
        for (TOutlineNode* child : m_children->nodes)
            delete child;
    }
}

void TOutlineNode::SetText(const QString& text) { m_tree->SetText(this, text); }

int TOutlineNode::Index() const { return m_tree->IndexOf(const_cast<TOutlineNode*>(this)); }

TOutlineNode* TOutlineNode::Child(int position) const
{
    if (position < 0 || position >= ChildCount())
        return nullptr;
    return m_children->nodes[size_t(position)];
}

int TOutlineNode::GetLastChild() const
{
    const int count = ChildCount();
    return count == 0 ? -1 : m_children->nodes[size_t(count - 1)]->Index();
}

QString TOutlineNode::FullPath() const
{
    if (!m_parent)
        return QString();
    const QString separator = m_tree->ItemSeparator();
    QString path = m_text;
    for (const TOutlineNode* n = m_parent; n && n->m_parent; n = n->m_parent)
        path = n->m_text + separator + path;
    return path;
}

void TOutlineNode::SetExpanded(bool expanded) { m_tree->SetExpanded(this, expanded); }

void TOutlineNode::FullExpand()
{
    if (HasItems()) {
        Expand();
        // Observers may change the children while they run; walk by position.
        for (int i = 0; i < ChildCount(); ++i)
            Child(i)->FullExpand();
    }
}

void TOutlineNode::FullCollapse()
{
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->FullCollapse();
    Collapse();
}
