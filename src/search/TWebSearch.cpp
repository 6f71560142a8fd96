#include "search/TWebSearch.h"
#include "search/TSearchWorker.h"
#include <QStandardPaths>
#include <utility>

TWebSearch::TWebSearch(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<TSearchHits>();
    m_worker = new TSearchWorker(&m_stop);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &TSearchWorker::Progress, this, [this](qint64 done, qint64 total) {
        m_done = done;
        m_total = total;
        if (!m_quiet)
            emit Progress(done, total);
    });
    connect(m_worker, &TSearchWorker::Note, this, [this](const QString& text) {
        if (m_quiet)
            m_note = text;
        else
            emit Note(text);
    });
    connect(m_worker, &TSearchWorker::Answer, this, &TWebSearch::Answer);
    connect(m_worker, &TSearchWorker::Updated, this, [this](int request) {
        if (request != m_request)
            return; // an update overtaken by one asked for later, or of a web before
        m_updating = false;
        m_quiet = false;
        emit Updated();
    });
    m_thread.setObjectName(QStringLiteral("web search"));
    m_thread.start(QThread::LowPriority);
}

TWebSearch::~TWebSearch()
{
    m_stop = true;
    m_thread.quit();
    m_thread.wait();
}

void TWebSearch::SetWeb(const QString& web, const QString& cacheFolder)
{
    const QString cache = cacheFolder.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
                              : cacheFolder;
    if (web == m_web && cache == m_cache)
        return;
    m_web = web;
    m_cache = cache;
    m_updating = false; // the worker leaves an update of the web before
    m_quiet = false;
    ++m_request; // and its end, if already on its way, is no longer awaited
    m_done = m_total = 0;
    m_note.clear();
    QMetaObject::invokeMethod(m_worker, [w = m_worker, web, cache] { w->SetWeb(web, cache); });
}

void TWebSearch::Request(qint64 limit)
{
    m_updating = true;
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, request = ++m_request, limit] { w->Update(request, limit); });
}

void TWebSearch::Update()
{
    if (m_updating && !m_quiet)
        return;
    const bool joining = m_updating;
    m_quiet = false;
    // Joining a quiet update: one walked too far gives up, and this request then walks
    // the whole web; one under way takes this request in and reports its end for it.
    Request(0);
    // What the reader would have seen had this update started it.
    if (!m_note.isEmpty())
        emit Note(std::exchange(m_note, QString()));
    if (joining && m_total > 0)
        emit Progress(m_done, m_total);
}

void TWebSearch::UpdateIfSmall(qint64 limit)
{
    if (m_updating)
        return;
    m_quiet = true;
    m_done = m_total = 0;
    Request(limit);
}

int TWebSearch::Query(const QString& typed)
{
    const int ticket = ++m_ticket;
    QMetaObject::invokeMethod(m_worker, [w = m_worker, ticket, typed] { w->Query(ticket, typed); });
    return ticket;
}

QString TWebSearch::ProgressText(qint64 done, qint64 total)
{
    auto grouped = [](qint64 n) {
        QString digits = QString::number(n);
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, u' ');
        return digits;
    };
    return QStringLiteral("Indexing %1 of %2 documents").arg(grouped(done), grouped(total));
}
