#pragma once
#include "search/TSearchHit.h"
#include <QByteArray>
#include <QHash>
#include <QString>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A failure of the index database; damaged tells a file that must be built afresh.
class ESearchIndexError : public std::runtime_error
{
public:
    ESearchIndexError(const std::string& what, bool damaged)
        : std::runtime_error(what), Damaged(damaged)
    {}
    bool Damaged;
};

// The full-text index of one web in an SQLite database: a table of documents (folder,
// name, size, modification time, title) and an FTS5 table of their titles and text, folded
// for letter case and accents. Paths are stored relative to the web, so an index made
// beside a web still serves it wherever the web is mounted. Not thread-safe: one thread
// uses one index.
class TSearchIndex
{
public:
    struct TDocument
    {
        QString name;
        qint64 size = 0;
        qint64 modified = 0; // milliseconds since the epoch
    };

    TSearchIndex() = default;
    ~TSearchIndex();
    TSearchIndex(const TSearchIndex&) = delete;
    TSearchIndex& operator=(const TSearchIndex&) = delete;

    // Opens the index file, creating it when missing. A file that is not an index of this
    // program, or is damaged, is removed and made afresh (read-only: refused). False when
    // the file cannot be opened or made.
    bool Open(const QString& file, bool readOnly = false);
    bool OpenInMemory();
    void Close();
    // Closes and deletes the index file (a damaged cache).
    void Discard();
    bool IsOpen() const { return m_db != nullptr; }
    bool ReadOnly() const { return m_readOnly; }
    bool InMemory() const { return m_db && m_file.isEmpty(); }
    // For an index written to be carried with the web: no journal, so a read-only disc can
    // open it.
    void PrepareForShipping();

    // Merges the text index into as few pieces as it can: smaller on disc, faster to query.
    // Worth it after many documents were added.
    void Optimize();

    void Begin();
    void Commit();
    void Rollback() noexcept;

    // The documents of one folder ("" for the web's own; otherwise ending in "/").
    std::vector<TDocument> Documents(const QString& folder);
    void Put(const QString& folder, const TDocument& document, const QString& title,
             const QString& text);
    void Remove(const QString& folder, const QString& name);
    qint64 Count();

    // The walk's memory, kept in the database rather than in the process: the folders seen
    // and the documents still to read.
    void StartWalk();
    void Visited(const QString& folder);
    // Removes (or, apply false, only counts) the documents of folders the walk did not see.
    qint64 DropUnvisited(bool apply);
    void AddPending(const QString& folder, const TDocument& document);
    qint64 PendingCount();
    struct TPending
    {
        qint64 id = 0;
        QString folder;
        TDocument document;
    };
    std::vector<TPending> Pending(qint64 afterId, int limit);

    // Documents holding every term (TSearchQuery), best first, at most limit.
    TSearchHits Query(const QString& typed, int limit = 50);

private:
    void CreateSchema();
    bool Valid();
    void Exec(const char* sql);
    sqlite3_stmt* Prepare(const char* sql);
    [[noreturn]] void Fail(int code, const char* what);

    sqlite3* m_db = nullptr;
    QHash<QByteArray, sqlite3_stmt*> m_statements;
    QString m_file;
    bool m_readOnly = false;
};
