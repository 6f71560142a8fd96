#pragma once
#include "search/TSearchHit.h"
#include <QObject>
#include <QThread>
#include <atomic>

class TSearchWorker;

// The web search as the user-interface thread sees it: everything it asks is done on a
// worker thread, and the answers come back as signals on this object's thread.
class TWebSearch : public QObject
{
    Q_OBJECT
public:
    explicit TWebSearch(QObject* parent = nullptr);
    ~TWebSearch() override;

    // The web searched; a new web opens its own index. cacheFolder empty: the user's cache.
    void SetWeb(const QString& web, const QString& cacheFolder = QString());
    QString Web() const { return m_web; }
    // Brings the index up to date with the web; Progress while it goes, Updated at the end.
    void Update();
    bool Updating() const { return m_updating; }
    // Returns the ticket the Answer will carry.
    int Query(const QString& typed);

    // "Indexing 12 000 of 100 000 documents".
    static QString ProgressText(qint64 done, qint64 total);

signals:
    void Progress(qint64 done, qint64 total);
    void Updated();
    void Note(const QString& text);
    void Answer(int ticket, const TSearchHits& hits);

private:
    QThread m_thread;
    std::atomic_bool m_stop{false};
    TSearchWorker* m_worker = nullptr;
    QString m_web;
    int m_ticket = 0;
    bool m_updating = false;
};
