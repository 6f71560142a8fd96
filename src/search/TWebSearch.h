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
    // The most documents (and folders) a web may hold to be indexed before anyone searches.
    // Such a web is read in a few seconds at low priority and its index held in memory
    // without harm, and the walk that finds a web larger costs little; a larger web waits
    // for the first search, where the reader sees the progress.
    static constexpr qint64 SmallWeb = 2000;

    explicit TWebSearch(QObject* parent = nullptr);
    ~TWebSearch() override;

    // The web searched; a new web opens its own index. cacheFolder empty: the user's cache.
    // The same web and cache again changes nothing: its index, in memory too, is kept.
    void SetWeb(const QString& web, const QString& cacheFolder = QString());
    QString Web() const { return m_web; }
    // Brings the index up to date with the web; Progress while it goes, Updated at the end.
    // A quiet update under way becomes this one: what it held back is reported now.
    void Update();
    // The same, quietly and only for a web of at most limit documents and folders: no
    // Progress and no Note until Update asks for them; Updated at the end all the same.
    void UpdateIfSmall(qint64 limit = SmallWeb);
    bool Updating() const { return m_updating; }
    bool Quiet() const { return m_updating && m_quiet; }
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
    void Request(qint64 limit);

    QThread m_thread;
    std::atomic_bool m_stop{false};
    TSearchWorker* m_worker = nullptr;
    QString m_web;
    QString m_cache;
    int m_ticket = 0;
    int m_request = 0; // the last update asked of the worker
    bool m_updating = false;
    bool m_quiet = false;
    // What a quiet update held back.
    qint64 m_done = 0;
    qint64 m_total = 0;
    QString m_note;
};
