#pragma once
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

// Decoded pictures kept while they are likely to be shown again: those of the documents
// shown last, as many documents back as the view's ImageCacheCount.
class THtmlImageCache
{
public:
    void SetCapacity(int documents) { m_capacity = documents < 0 ? 0 : documents; }
    int Capacity() const { return m_capacity; }

    // A new document starts: pictures not used by the last Capacity() documents go.
    void BeginDocument();

    // The picture in the file (case resolved), or a null image when the file is missing
    // or is not a picture.
    QImage Load(const QString& path);

    int Count() const { return int(m_entries.size()); }

private:
    struct TEntry
    {
        QImage image;
        QDateTime modified;
        qint64 size = 0;
        int generation = 0;
    };
    QHash<QString, TEntry> m_entries;
    int m_generation = 0;
    int m_capacity = 5;
};
