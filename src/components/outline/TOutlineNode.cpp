#include "components/outline/TOutlineNode.h"
#include "components/outline/TColdmereCustomOutline.h"

TOutlineNode::TOutlineNode(TColdmereCustomOutline* owner, const QString& text, void* data)
    : m_text(text), m_data(data), m_owner(owner)
{}

TOutlineNode::~TOutlineNode()
{
    if (m_children) {
        for (TOutlineNode* child : m_children->nodes)
            delete child;
    }
}

void TOutlineNode::SetText(const QString& text)
{
    m_text = text;
    m_textWidth = -1;
    if (m_owner)
        m_owner->NodeTextChanged(this);
}

int TOutlineNode::Index() const
{
    return m_owner ? m_owner->IndexOf(const_cast<TOutlineNode*>(this)) : m_index;
}

int TOutlineNode::ChildCount() const { return m_children ? int(m_children->nodes.size()) : 0; }

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
    const QString separator = m_owner ? m_owner->ItemSeparator() : QStringLiteral("\\");
    QString path = m_text;
    for (const TOutlineNode* n = m_parent; n && n->m_parent; n = n->m_parent)
        path = n->m_text + separator + path;
    return path;
}

void TOutlineNode::SetExpanded(bool expanded)
{
    if (m_owner)
        m_owner->SetNodeExpanded(this, expanded);
}

void TOutlineNode::FullExpand()
{
    if (HasItems()) {
        Expand();
        // Handlers may change the children while they run; walk by position.
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
