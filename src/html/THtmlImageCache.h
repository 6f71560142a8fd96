#pragma once
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

// Decoded pictures kept while they are likely to be shown again: those of the documents
// shown last, as many documents back as the view's ImageCacheCount. A picture is decoded
// once per file, whatever names (hard links, letter case) lead to it. Memory is bounded
// twice: one document's pictures together decode to at most DocumentBudget() bytes (a
// picture beyond that is not decoded and shows its ALT frame), and pictures of earlier
// documents go, oldest first, once the cache holds more than Budget() bytes.
class THtmlImageCache
{
public:
    static constexpr qint64 kDocumentBudget = 160LL * 1024 * 1024;
    static constexpr qint64 kBudget = 256LL * 1024 * 1024;

    void SetCapacity(int documents) { m_capacity = documents < 0 ? 0 : documents; }
    int Capacity() const { return m_capacity; }
    void SetBudgets(qint64 document, qint64 cache);
    qint64 DocumentBudget() const { return m_documentBudget; }
    qint64 Budget() const { return m_budget; }

    // A new document starts: pictures not used by the last Capacity() documents go.
    void BeginDocument();

    // The picture in the file (case resolved), or a null image when the file is missing,
    // is not a picture, or would take the document past its budget.
    QImage Load(const QString& path);

    int Count() const { return int(m_entries.size()); }
    qint64 Bytes() const { return m_bytes; }            // decoded bytes held
    qint64 DocumentBytes() const { return m_docBytes; } // of them, the current document's

private:
    struct TKey
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const TKey& o) const { return device == o.device && inode == o.inode; }
    };
    friend size_t qHash(const TKey& k, size_t seed) { return qHashMulti(seed, k.device, k.inode); }
    struct TEntry
    {
        QImage image;
        QDateTime modified;
        qint64 size = 0;
        int generation = 0;
    };
    // The next entry, as erasing leaves it.
    QHash<TKey, TEntry>::iterator Remove(QHash<TKey, TEntry>::iterator it);
    void KeepWithinBudget();

    QHash<TKey, TEntry> m_entries;
    int m_generation = 0;
    int m_capacity = 5;
    qint64 m_documentBudget = kDocumentBudget;
    qint64 m_budget = kBudget;
    qint64 m_bytes = 0;
    qint64 m_docBytes = 0;
};
