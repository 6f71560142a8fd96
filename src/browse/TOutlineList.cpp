#include "TOutlineList.h"
#include "components/listview/TSortListView.h"
#include "components/outline/TColdmereCustomOutline.h"
#include "components/outline/TOutlineNode.h"
#include "platform/TPath.h"
#include <vector>

TOutlineList::TOutlineList(TColdmereCustomOutline* outline)
    : m_outline(outline), m_foldersMode(true)
{}

TOutlineList::TOutlineList(TSortListView* listView) : m_listView(listView), m_foldersMode(false) {}

QString TOutlineList::NodeText(const QString& name)
{
    QString text = name;
    if (!text.isEmpty() && text[0] >= u'a' && text[0] <= u'z')
        text[0] = QChar(text[0].unicode() - (u'a' - u'A'));
    return text;
}

QString TOutlineList::Caption(QString fileName)
{
    // The name is lower-cased and cut where it lies, not copied.
    QString caption = TFoundFile::LowerCase(std::move(fileName));
    const qsizetype dot = caption.lastIndexOf(u'.');
    if (dot >= 0)
        caption.truncate(dot);
    return caption;
}

QString TOutlineList::SizeText(quint64 size, bool withUnit)
{
    if (size > 1000)
        return QString::number(size / 1000) + (withUnit ? QStringLiteral("KB") : QString());
    return QString::number(size);
}

void TOutlineList::FolderFound(std::unique_ptr<TFoundFile> record)
{
    if (!m_foldersMode || !m_outline)
        return;
    const QString name = NodeText(record->FileName());
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return;
    AddFolderNode(name, record->Path());
}

void TOutlineList::FileFound(std::unique_ptr<TFoundFile> record)
{
    if (m_foldersMode || !m_listView)
        return;
    // The record goes before the caption is cut, so the caption keeps the name's own
    // storage instead of a copy: a folder of a million documents holds each name once.
    QString name = record->FileName();
    const quint64 size = quint64(std::max<qint64>(0, record->Size()));
    record.reset();
    TListItem* item = m_listView->AddItem(Caption(std::move(name)));
    if (!item)
        return;
    // The whole size: a document of 4 GB or more would otherwise show a wrapped count.
    // Rows of the same size share one list of texts.
    const int columns = m_listView->ColumnCount();
    const bool withUnit = columns > 1;
    const quint64 key = (size << 1) | (withUnit ? 1 : 0);
    auto texts = m_sizeTexts.constFind(key);
    if (texts == m_sizeTexts.constEnd()) {
        if (m_sizeTexts.size() > 4096)
            m_sizeTexts.clear();
        texts = m_sizeTexts.insert(key, QStringList{SizeText(size, withUnit)});
    }
    item->SubItems = *texts;
    if (columns >= 1)
        m_listView->SetColumnWidth(columns - 1, TListColumn::AutoSizeUseHeader);
    else
        m_listView->ItemsChanged();
}

QString TOutlineList::PathKey(const QString& outlinePath) { return outlinePath.toCaseFolded(); }

int TOutlineList::AddFolderNode(const QString& name, const QString& path)
{
    if (!m_outline)
        return 0;
    // Every folder found in one folder has the same path: its parent is looked up once.
    if (!m_parentCache.valid || m_parentCache.path != path)
        LookUpParent(path);
    const TParentCache& cache = m_parentCache;

    const QString key = cache.keyPrefix + PathKey(name);
    if (cache.refused ||
        (cache.parent && cache.parent->Level() >= TColdmereCustomOutline::MaxLevel)) {
        m_refused.insert(key);
        return 0;
    }

    TOutlineNode* parent = cache.parent ? cache.parent : m_outline->RootNode();
    const int parentIndex = cache.parent ? cache.parent->Index() : 0;
    m_outline->BeginUpdate();
    int index = 0;
    try {
        index = m_outline->AddChild(parentIndex, name);
    } catch (...) {
        m_outline->EndUpdate();
        throw;
    }
    m_outline->EndUpdate();
    if (index > 0 && parent && parent->ChildCount() > 0)
        Remember(parent->Child(parent->ChildCount() - 1), key);
    return index;
}

void TOutlineList::LookUpParent(const QString& path)
{
    const QString separator = m_outline->ItemSeparator();

    // The scanned folder from the web folder's name on, written as an outline path.
    const QString rel = TPath::StripTrailingSeparators(path.mid(std::max(0, m_nameStart - 1)));
    const QString parentName = rel.mid(TPath::LastSeparator(rel) + 1);
    QString outlineRel;
    outlineRel.reserve(rel.size());
    for (QChar c : rel) {
        if (TPath::IsSeparator(c))
            outlineRel += separator;
        else
            outlineRel += c;
    }
    const QString relKey = PathKey(outlineRel);

    TParentCache& cache = m_parentCache;
    cache.valid = true;
    cache.path = path;
    cache.refused = m_refused.contains(relKey);
    cache.parent = cache.refused ? nullptr : FindParent(outlineRel, parentName);
    // A folder without a parent node goes to the top level, where its path is its name.
    cache.keyPrefix = cache.parent || cache.refused ? relKey + PathKey(separator) : QString();
}

// The first node in outline order whose text is the parent's name and whose full path is
// rel, both ignoring case; null when there is none.
TOutlineNode* TOutlineList::FindParent(const QString& rel, const QString& parentName)
{
    if (!m_indexed)
        IndexExistingNodes();
    TOutlineNode* candidate = m_nodesByPath.value(PathKey(rel), nullptr);
    if (!candidate)
        return nullptr;
    if (candidate->Text().compare(parentName, Qt::CaseInsensitive) == 0)
        return candidate;
    // Only a text holding the separator itself gets here: look the slow way.
    const int count = m_outline->ItemCount();
    for (int i = 1; i <= count; ++i) {
        TOutlineNode* node = m_outline->Items(i);
        if (node->Text().compare(parentName, Qt::CaseInsensitive) == 0 &&
            node->FullPath().compare(rel, Qt::CaseInsensitive) == 0)
            return node;
    }
    return nullptr;
}

void TOutlineList::Remember(TOutlineNode* node, const QString& key)
{
    if (!node)
        return;
    auto it = m_nodesByPath.find(key);
    if (it == m_nodesByPath.end())
        m_nodesByPath.insert(key, node);
    else if (node->Index() < it.value()->Index())
        it.value() = node;
}

// The nodes the outline already had when this search began, in outline order.
void TOutlineList::IndexExistingNodes()
{
    m_indexed = true;
    TOutlineNode* root = m_outline->RootNode();
    if (!root)
        return;
    std::vector<TOutlineNode*> pending;
    for (int i = root->ChildCount() - 1; i >= 0; --i)
        pending.push_back(root->Child(i));
    while (!pending.empty()) {
        TOutlineNode* node = pending.back();
        pending.pop_back();
        const QString key = PathKey(node->FullPath());
        if (!m_nodesByPath.contains(key))
            m_nodesByPath.insert(key, node);
        for (int i = node->ChildCount() - 1; i >= 0; --i)
            pending.push_back(node->Child(i));
    }
}
