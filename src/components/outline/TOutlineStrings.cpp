#include "components/outline/TOutlineStrings.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TOutlineTree.h"

namespace {

QString Indented(const TOutlineNode* node)
{
    return QString(node->Level() - 1, QLatin1Char('\t')) + node->Text();
}

} // namespace

int TOutlineStrings::Count() const { return m_tree.ItemCount(); }

QString TOutlineStrings::Get(int position) const { return Indented(m_tree.Items(position + 1)); }

void* TOutlineStrings::Objects(int position) const { return m_tree.Items(position + 1)->Data(); }

int TOutlineStrings::Add(const QString& text) { return AddObject(text, nullptr); }

int TOutlineStrings::AddObject(const QString& text, void* data)
{
    int indent = 0;
    while (indent < text.size() &&
           (text[indent] == QLatin1Char('\t') || text[indent] == QLatin1Char(' ')))
        ++indent;
    const int count = m_tree.ItemCount();
    TOutlineNode* last = count > 0 ? m_tree.Items(count) : m_tree.RootNode();
    const int lastLevel = last->Level();
    TOutlineNode* parent = last;
    if (indent > lastLevel || count == 0) {
        if (indent - lastLevel > 1)
            EOutlineError::Raise(EOutlineError::FileLoadError);
    } else {
        for (int i = 0; i < lastLevel - indent; ++i) {
            parent = parent->Parent();
            if (!parent)
                EOutlineError::Raise(EOutlineError::FileLoadError);
        }
    }
    return m_tree.AddChildObject(parent->Index(), text.mid(indent), data) - 1;
}

void TOutlineStrings::Insert(int position, const QString& text)
{
    m_tree.Insert(position + 1, text);
}

void TOutlineStrings::InsertObject(int position, const QString& text, void* data)
{
    m_tree.InsertObject(position + 1, text, data);
}

void TOutlineStrings::Delete(int position) { m_tree.Delete(position + 1); }

void TOutlineStrings::Clear() { m_tree.Clear(); }

void TOutlineStrings::Assign(const QStringList& lines)
{
    m_tree.Clear();
    m_tree.BeginUpdate();
    try {
        for (const QString& line : lines)
            Add(line);
    } catch (...) {
        m_tree.EndUpdate();
        throw;
    }
    m_tree.EndUpdate();
}

QStringList TOutlineStrings::ToStringList() const
{
    QStringList r;
    const int count = Count();
    r.reserve(count);
    for (int i = 1; i <= count; ++i)
        r << Indented(m_tree.Items(i));
    return r;
}
