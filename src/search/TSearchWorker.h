#pragma once
#include "search/TSearchHit.h"
#include "search/TSearchIndex.h"
#include <QObject>
#include <atomic>
#include <memory>

class TWebIndexer;

// The index's side of the web search, living on its own thread: it opens the right index,
// keeps it up to date a batch at a time and answers queries between the batches, so a
// search is answered from what is indexed so far while the rest goes on.
class TSearchWorker : public QObject
{
    Q_OBJECT
public:
    explicit TSearchWorker(std::atomic_bool* stop);
    ~TSearchWorker() override;

public slots:
    // The index is chosen at the next update, so naming a web costs nothing.
    void SetWeb(const QString& web, const QString& cacheFolder);
    // Brings the index up to date; Updated carries the last request the update took in (an
    // update asked for while one goes on is that one). limit > 0: only when the web holds no
    // more documents and folders than that (TWebIndexer::SetWalkLimit); otherwise nothing
    // changes.
    void Update(int request, qint64 limit = 0);
    void Query(int ticket, const QString& typed);

signals:
    void Progress(qint64 done, qint64 total);
    void Updated(int request);
    void Note(const QString& text);
    void Answer(int ticket, const TSearchHits& hits);

private:
    // The web's own index while it matches the web; true when it does (or the walk gave up).
    bool UseReadyIndex(qint64 limit);
    void OpenCache();
    void NextBatch(int generation);
    void Recover(qint64 limit);
    void Finish();

    std::atomic_bool* m_stop;
    QString m_web;
    QString m_cacheFolder;
    TSearchIndex m_index;
    std::unique_ptr<TWebIndexer> m_indexer;
    bool m_updating = false;
    int m_request = 0;
    int m_generation = 0;
    int m_failures = 0;
};
