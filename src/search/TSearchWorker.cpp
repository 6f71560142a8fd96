#include "search/TSearchWorker.h"
#include "search/TWebIndexer.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace {

// Below this many documents read the pieces the index is made of hardly matter.
constexpr qint64 kOptimizeAfter = 1000;

} // namespace

TSearchWorker::TSearchWorker(std::atomic_bool* stop) : m_stop(stop) {}

TSearchWorker::~TSearchWorker() = default;

void TSearchWorker::SetWeb(const QString& web, const QString& cacheFolder)
{
    m_indexer.reset();
    m_updating = false;
    ++m_generation; // batches of an update of the web before are dropped
    m_failures = 0;
    m_web = web.endsWith(u'/') ? web : web + u'/';
    m_cacheFolder = cacheFolder;
    m_index.Close();
}

bool TSearchWorker::UseReadyIndex(qint64 limit)
{
    // A ready index carried with the web serves as long as it matches the web exactly.
    if (!m_index.IsOpen()) {
        const QString ready = m_web + TWebIndexer::ReadyIndexName;
        if (!QFileInfo(ready).isFile() || !m_index.Open(ready, true))
            return false;
    }
    try {
        TWebIndexer check(m_index, m_web);
        check.SetWalkLimit(limit);
        check.Scan(m_stop, false);
        // A web too large for the walk asked for keeps its own index until a full walk.
        if (check.Current() || check.GaveUp())
            return true;
    } catch (const ESearchIndexError&) {
    }
    m_index.Close();
    return false;
}

void TSearchWorker::OpenCache()
{
    m_index.Close();
    // The cache's file is named after the web's folder, so each web has its own.
    const QString canonical = QFileInfo(m_web).canonicalFilePath();
    const QByteArray key =
        QCryptographicHash::hash((canonical.isEmpty() ? m_web : canonical).toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex();
    const QString file = m_cacheFolder + QStringLiteral("/search/") + QString::fromLatin1(key) +
                         QStringLiteral(".idx");
    if (QDir().mkpath(m_cacheFolder + QStringLiteral("/search")) && m_index.Open(file))
        return;
    m_index.OpenInMemory();
    emit Note(QStringLiteral("Search index kept in memory: the cache folder cannot be written"));
}

void TSearchWorker::Update(int request, qint64 limit)
{
    m_request = request;
    if (m_updating)
        return; // the update under way reports its end, for this request too
    if (m_web.isEmpty())
        return emit Updated(m_request);
    // The web's own index until the web changes; then the cache's, kept up to date. A
    // memory index, once made, stays for the whole run: it is built once.
    if (!m_index.IsOpen() || m_index.ReadOnly()) {
        if (UseReadyIndex(limit))
            return emit Updated(m_request);
        OpenCache();
    }
    if (!m_index.IsOpen())
        return emit Updated(m_request);
    m_updating = true;
    m_indexer = std::make_unique<TWebIndexer>(m_index, m_web);
    m_indexer->SetWalkLimit(limit);
    try {
        m_indexer->Scan(m_stop);
    } catch (const ESearchIndexError&) {
        return Recover(limit);
    } catch (const std::exception&) {
        return Finish(); // out of memory, say: no index change, the next search tries again
    }
    if (m_indexer->GaveUp())
        return Finish();
    emit Progress(0, m_indexer->Total());
    NextBatch(++m_generation);
}

// One batch, then back to the event loop: queries waiting are answered before the next.
void TSearchWorker::NextBatch(int generation)
{
    if (generation != m_generation)
        return;
    if (!m_indexer || *m_stop)
        return Finish();
    try {
        if (!m_indexer->Step()) {
            if (m_indexer->Done() >= kOptimizeAfter)
                m_index.Optimize();
            return Finish();
        }
    } catch (const ESearchIndexError&) {
        return Recover(0);
    } catch (const std::exception&) {
        return Finish();
    }
    emit Progress(m_indexer->Done(), m_indexer->Total());
    QMetaObject::invokeMethod(
        this, [this, generation] { NextBatch(generation); }, Qt::QueuedConnection);
}

// The index failed under us (damaged on disc, disc full): it is built afresh, once; a
// second failure keeps the index in memory, a third gives up until the next update.
void TSearchWorker::Recover(qint64 limit)
{
    m_indexer.reset();
    m_updating = false;
    ++m_failures;
    if (m_failures > 2)
        return emit Updated(m_request);
    if (m_failures == 1 && !m_index.InMemory()) {
        m_index.Discard(); // a read-only index is only closed: the cache's takes over
        OpenCache();
    } else {
        m_index.OpenInMemory();
        emit Note(
            QStringLiteral("Search index kept in memory: the cache folder cannot be written"));
    }
    Update(m_request, limit);
}

void TSearchWorker::Finish()
{
    m_indexer.reset();
    m_updating = false;
    emit Updated(m_request);
}

void TSearchWorker::Query(int ticket, const QString& typed)
{
    TSearchHits hits;
    try {
        if (m_index.IsOpen())
            hits = m_index.Query(typed);
    } catch (const ESearchIndexError& e) {
        // A damaged index answers nothing now and is built afresh at once.
        if (e.Damaged && !m_updating) {
            emit Answer(ticket, hits);
            return Recover(0);
        }
    } catch (const std::exception&) {
    }
    emit Answer(ticket, hits);
}
