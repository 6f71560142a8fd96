#include "search/TWebSearch.h"
#include "search/TSearchWorker.h"
#include <QStandardPaths>

TWebSearch::TWebSearch(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<TSearchHits>();
    m_worker = new TSearchWorker(&m_stop);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &TSearchWorker::Progress, this, &TWebSearch::Progress);
    connect(m_worker, &TSearchWorker::Note, this, &TWebSearch::Note);
    connect(m_worker, &TSearchWorker::Answer, this, &TWebSearch::Answer);
    connect(m_worker, &TSearchWorker::Updated, this, [this] {
        m_updating = false;
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
    m_web = web;
    m_updating = false; // the worker leaves an update of the web before
    const QString cache = cacheFolder.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
                              : cacheFolder;
    QMetaObject::invokeMethod(m_worker, [w = m_worker, web, cache] { w->SetWeb(web, cache); });
}

void TWebSearch::Update()
{
    if (m_updating)
        return;
    m_updating = true;
    QMetaObject::invokeMethod(m_worker, &TSearchWorker::Update);
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
