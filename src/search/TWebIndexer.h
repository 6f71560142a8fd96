#pragma once
#include <QString>
#include <atomic>
#include <functional>

class TSearchIndex;

// Brings an index up to date with a web: a walk compares each folder's documents (*.htm,
// *.html) with the index by size and modification time, drops what vanished and notes what
// is new or changed; then the noted documents are read in batches, one transaction each,
// so a search meanwhile sees every batch done. Nothing of the web is held in memory beyond
// one folder's listing; unreadable folders and documents are left out.
class TWebIndexer
{
public:
    static constexpr int kBatch = 200;

    TWebIndexer(TSearchIndex& index, const QString& web);

    // The walk. apply false only compares (a read-only index). Returns the documents to read.
    // Throws ESearchIndexError.
    qint64 Scan(const std::atomic_bool* stop = nullptr, bool apply = true);
    // A walk that meets more than limit documents, or enters more than limit folders, gives
    // up at once and changes nothing (0: no limit). Documents are counted from the names of
    // a folder before any of them is looked at, so a huge web costs little to turn down.
    void SetWalkLimit(qint64 limit) { m_limit = limit; }
    // True when the last scan gave up at the limit.
    bool GaveUp() const { return m_gaveUp; }
    // Folders the last scan entered: what its walk cost.
    qint64 Entered() const { return m_entered; }
    // Documents the last scan found gone from the web.
    qint64 Removed() const { return m_removed; }
    // True when the last scan found the index matching the web.
    bool Current() const { return !m_gaveUp && m_total == 0 && m_removed == 0; }

    // Reads the next batch into the index; false when none was left. Throws ESearchIndexError.
    bool Step(int batch = kBatch);
    qint64 Done() const { return m_done; }
    qint64 Total() const { return m_total; }

    // Scan and every step; progress after each batch.
    void Run(const std::function<void(qint64 done, qint64 total)>& progress = {},
             const std::atomic_bool* stop = nullptr);

    // Writes "zelmora.idx" into the web's folder, complete or not at all. error says why not.
    static bool WriteReadyIndex(const QString& web, QString* error);
    static inline const QString ReadyIndexName = QStringLiteral("zelmora.idx");

    static bool IsDocumentName(const QString& name);

private:
    bool WithinLimit(const QString& folder, qint64* documents) const;

    TSearchIndex& m_index;
    QString m_web; // ends with "/"
    qint64 m_removed = 0;
    qint64 m_total = 0;
    qint64 m_done = 0;
    qint64 m_lastId = 0;
    qint64 m_limit = 0;
    qint64 m_entered = 0;
    bool m_gaveUp = false;
};
