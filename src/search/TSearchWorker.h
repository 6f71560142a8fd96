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
    void SetWeb(const QString& web, const QString& cacheFolder);
    void Update();
    void Query(int ticket, const QString& typed);

signals:
    void Progress(qint64 done, qint64 total);
    void Updated();
    void Note(const QString& text);
    void Answer(int ticket, const TSearchHits& hits);

private:
    void OpenIndex(bool tryReady);
    void NextBatch(int generation);
    void Recover();
    void Finish();

    std::atomic_bool* m_stop;
    QString m_web;
    QString m_cacheFolder;
    TSearchIndex m_index;
    std::unique_ptr<TWebIndexer> m_indexer;
    bool m_updating = false;
    int m_generation = 0;
    int m_failures = 0;
};
