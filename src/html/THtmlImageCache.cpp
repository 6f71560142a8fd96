#include "html/THtmlImageCache.h"
#include "platform/TPath.h"
#include <QFileInfo>
#include <QImageReader>

namespace {

// A picture larger than this is taken for a damaged file rather than decoded.
constexpr int kMaxSide = 16000;

QImage Decode(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

} // namespace

void THtmlImageCache::BeginDocument()
{
    ++m_generation;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->generation <= m_generation - 1 - m_capacity)
            it = m_entries.erase(it);
        else
            ++it;
    }
}

QImage THtmlImageCache::Load(const QString& path)
{
    const QString resolved = TPath::Resolve(path);
    const QFileInfo info(resolved);
    if (!info.isFile())
        return QImage();
    auto it = m_entries.find(resolved);
    if (it != m_entries.end() && it->modified == info.lastModified() && it->size == info.size()) {
        it->generation = m_generation;
        return it->image;
    }
    TEntry e;
    e.image = Decode(resolved);
    e.modified = info.lastModified();
    e.size = info.size();
    e.generation = m_generation;
    m_entries.insert(resolved, e);
    return e.image;
}
