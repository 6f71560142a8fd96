#include "html/THtmlImageCache.h"
#include "platform/TDirEnumerator.h"
#include "platform/TPath.h"
#include <QFileInfo>
#include <QImageReader>

namespace {

// A picture larger than this is taken for a damaged file rather than decoded.
constexpr int kMaxSide = 16000;

// What a decoded picture of that size may take: the engine works in 32 bits a pixel.
qint64 DecodedBytes(QSize size) { return qint64(size.width()) * size.height() * 4; }

// A null image when the picture is damaged or would need more than room bytes (then
// *overBudget is set).
QImage Decode(const QString& path, qint64 room, bool* overBudget)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        return QImage();
    *overBudget = size.isValid() && DecodedBytes(size) > room;
    QImage image;
    if (*overBudget || !reader.read(&image))
        return QImage();
    *overBudget = image.sizeInBytes() > room;
    return *overBudget ? QImage() : image;
}

} // namespace

void THtmlImageCache::SetBudgets(qint64 document, qint64 cache)
{
    m_documentBudget = std::max<qint64>(0, document);
    m_budget = std::max<qint64>(0, cache);
    KeepWithinBudget();
}

QHash<THtmlImageCache::TKey, THtmlImageCache::TEntry>::iterator
THtmlImageCache::Remove(QHash<TKey, TEntry>::iterator it)
{
    m_bytes -= it->image.sizeInBytes();
    if (it->generation == m_generation)
        m_docBytes -= it->image.sizeInBytes();
    return m_entries.erase(it);
}

void THtmlImageCache::BeginDocument()
{
    ++m_generation;
    m_docBytes = 0;
    // Only the iterator erasing hands back stays valid: erasing moves other entries, and
    // may move them to storage of their own.
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->generation <= m_generation - 1 - m_capacity)
            it = Remove(it);
        else
            ++it;
    }
    KeepWithinBudget();
}

void THtmlImageCache::KeepWithinBudget()
{
    // The oldest documents' pictures go first; the current document's stay, as it shows
    // them (its own budget bounds them).
    while (m_bytes > m_budget) {
        auto oldest = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
            if (it->generation != m_generation &&
                (oldest == m_entries.end() || it->generation < oldest->generation))
                oldest = it;
        if (oldest == m_entries.end())
            return;
        Remove(oldest);
    }
}

QImage THtmlImageCache::Load(const QString& path)
{
    const QString resolved = TPath::Resolve(path);
    const QFileInfo info(resolved);
    TKey key;
    if (!info.isFile() || !TDirEnumerator::Identity(resolved, &key.device, &key.inode))
        return QImage();
    auto it = m_entries.find(key);
    if (it != m_entries.end() && it->modified == info.lastModified() && it->size == info.size()) {
        if (it->generation != m_generation) {
            // Counted once per document, however often the document shows it.
            if (m_docBytes + it->image.sizeInBytes() > m_documentBudget)
                return QImage();
            it->generation = m_generation;
            m_docBytes += it->image.sizeInBytes();
        }
        return it->image;
    }
    if (it != m_entries.end())
        Remove(it); // the file changed
    TEntry e;
    bool overBudget = false;
    e.image = Decode(resolved, m_documentBudget - m_docBytes, &overBudget);
    if (overBudget)
        return QImage(); // another document may have room for it
    e.modified = info.lastModified();
    e.size = info.size();
    e.generation = m_generation;
    m_bytes += e.image.sizeInBytes();
    m_docBytes += e.image.sizeInBytes();
    m_entries.insert(key, e);
    KeepWithinBudget();
    return e.image;
}
