#include "search/TSearchIndex.h"
#include "search/TSearchQuery.h"
#include <QFile>
#include <memory>
#include <sqlite3.h>

namespace {

// "ZELS": marks the database as this program's index; the version changes with the schema.
constexpr int kApplicationId = 0x5A454C53;
constexpr int kSchemaVersion = 1;

// Statements are prepared once per connection and kept; one in use is reset when done.
struct TReset
{
    void operator()(sqlite3_stmt* s) const
    {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }
};
using TStatement = std::unique_ptr<sqlite3_stmt, TReset>;

void Bind(sqlite3_stmt* s, int i, const QString& v)
{
    const QByteArray u = v.toUtf8();
    sqlite3_bind_text(s, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

QString Column(sqlite3_stmt* s, int i)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                             sqlite3_column_bytes(s, i));
}

bool IsDamage(int code)
{
    const int primary = code & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

} // namespace

TSearchIndex::~TSearchIndex() { Close(); }

void TSearchIndex::Close()
{
    for (sqlite3_stmt* statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_file.clear();
    m_readOnly = false;
}

void TSearchIndex::Discard()
{
    const QString file = m_file;
    const bool owned = !m_readOnly;
    Close();
    if (file.isEmpty() || !owned)
        return;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(file + QLatin1String(suffix));
}

void TSearchIndex::Fail(int code, const char* what)
{
    const std::string message = std::string(what) + ": " + sqlite3_errstr(code);
    throw ESearchIndexError(message, IsDamage(code));
}

void TSearchIndex::Exec(const char* sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        Fail(rc, sql);
}

sqlite3_stmt* TSearchIndex::Prepare(const char* sql)
{
    const QByteArray key(sql);
    if (sqlite3_stmt* kept = m_statements.value(key))
        return kept;
    sqlite3_stmt* s = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (rc != SQLITE_OK)
        Fail(rc, sql);
    m_statements.insert(key, s);
    return s;
}

void TSearchIndex::CreateSchema()
{
    // A document's text is a row of a few kilobytes; on 4 KB pages most rows would take a
    // page of their own.
    Exec("PRAGMA page_size=16384;");
    Exec("CREATE TABLE IF NOT EXISTS documents(id INTEGER PRIMARY KEY, folder TEXT NOT NULL, "
         "name TEXT NOT NULL, size INTEGER NOT NULL, modified INTEGER NOT NULL, title TEXT, "
         "UNIQUE(folder, name));"
         "CREATE VIRTUAL TABLE IF NOT EXISTS text USING fts5(title, body, "
         "tokenize='unicode61 remove_diacritics 2');"
         // The title weighs more than the text: a page named after the words is the likelier.
         "INSERT INTO text(text, rank) VALUES('rank', 'bm25(10.0, 1.0)');");
    Exec(("PRAGMA application_id=" + std::to_string(kApplicationId) +
          "; PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";")
             .c_str());
}

// The file is ours and whole as far as a cheap look can tell; deeper damage shows as an
// error later and is handled the same way.
bool TSearchIndex::Valid()
{
    try {
        TStatement s(Prepare("PRAGMA application_id"));
        if (sqlite3_step(s.get()) != SQLITE_ROW)
            return false;
        const int id = sqlite3_column_int(s.get(), 0);
        TStatement v(Prepare("PRAGMA user_version"));
        if (sqlite3_step(v.get()) != SQLITE_ROW)
            return false;
        const int version = sqlite3_column_int(v.get(), 0);
        TStatement n(Prepare("SELECT count(*) FROM sqlite_schema"));
        if (sqlite3_step(n.get()) != SQLITE_ROW)
            return false;
        const int tables = sqlite3_column_int(n.get(), 0);
        if (tables == 0 && id == 0 && !m_readOnly) {
            // The page size only takes before the first table, with no statement open.
            s.reset();
            v.reset();
            n.reset();
            CreateSchema();
            return true;
        }
        if (id != kApplicationId || version != kSchemaVersion)
            return false;
        TStatement probe(Prepare("SELECT count(*) FROM documents"));
        return sqlite3_step(probe.get()) == SQLITE_ROW;
    } catch (const ESearchIndexError&) {
        return false;
    }
}

bool TSearchIndex::Open(const QString& file, bool readOnly)
{
    Close();
    const QByteArray name = QFile::encodeName(file);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int flags =
            readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        if (sqlite3_open_v2(name.constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr) !=
            SQLITE_OK) {
            Close();
            return false;
        }
        m_file = file;
        m_readOnly = readOnly;
        sqlite3_busy_timeout(m_db, 2000);
        if (Valid()) {
            try {
                if (!readOnly)
                    Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
                Exec("PRAGMA temp_store=FILE;");
                return true;
            } catch (const ESearchIndexError&) {
            }
        }
        if (readOnly) {
            Close();
            return false;
        }
        // Not ours or damaged: it is only a cache, so it goes and is built again.
        Discard();
    }
    return false;
}

bool TSearchIndex::OpenInMemory()
{
    Close();
    if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        Close();
        return false;
    }
    try {
        CreateSchema();
    } catch (const ESearchIndexError&) {
        Close();
        return false;
    }
    return true;
}

void TSearchIndex::PrepareForShipping() { Exec("PRAGMA journal_mode=DELETE;"); }

void TSearchIndex::Optimize() { Exec("INSERT INTO text(text) VALUES('optimize')"); }

void TSearchIndex::Begin() { Exec("BEGIN"); }

void TSearchIndex::Commit() { Exec("COMMIT"); }

void TSearchIndex::Rollback() noexcept
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::vector<TSearchIndex::TDocument> TSearchIndex::Documents(const QString& folder)
{
    TStatement s(Prepare("SELECT name, size, modified FROM documents WHERE folder=?"));
    Bind(s.get(), 1, folder);
    std::vector<TDocument> documents;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
        documents.push_back({Column(s.get(), 0), sqlite3_column_int64(s.get(), 1),
                             sqlite3_column_int64(s.get(), 2)});
    if (rc != SQLITE_DONE)
        Fail(rc, "reading the documents of a folder");
    return documents;
}

void TSearchIndex::Remove(const QString& folder, const QString& name)
{
    TStatement find(Prepare("SELECT id FROM documents WHERE folder=? AND name=?"));
    Bind(find.get(), 1, folder);
    Bind(find.get(), 2, name);
    int rc = sqlite3_step(find.get());
    if (rc == SQLITE_DONE)
        return;
    if (rc != SQLITE_ROW)
        Fail(rc, "finding a document");
    const qint64 id = sqlite3_column_int64(find.get(), 0);
    TStatement text(Prepare("DELETE FROM text WHERE rowid=?"));
    sqlite3_bind_int64(text.get(), 1, id);
    if ((rc = sqlite3_step(text.get())) != SQLITE_DONE)
        Fail(rc, "removing a document's text");
    TStatement document(Prepare("DELETE FROM documents WHERE id=?"));
    sqlite3_bind_int64(document.get(), 1, id);
    if ((rc = sqlite3_step(document.get())) != SQLITE_DONE)
        Fail(rc, "removing a document");
}

void TSearchIndex::Put(const QString& folder, const TDocument& document, const QString& title,
                       const QString& text)
{
    Remove(folder, document.name);
    TStatement add(Prepare(
        "INSERT INTO documents(folder, name, size, modified, title) VALUES(?, ?, ?, ?, ?)"));
    Bind(add.get(), 1, folder);
    Bind(add.get(), 2, document.name);
    sqlite3_bind_int64(add.get(), 3, document.size);
    sqlite3_bind_int64(add.get(), 4, document.modified);
    Bind(add.get(), 5, title);
    int rc = sqlite3_step(add.get());
    if (rc != SQLITE_DONE)
        Fail(rc, "adding a document");
    TStatement words(Prepare("INSERT INTO text(rowid, title, body) VALUES(?, ?, ?)"));
    sqlite3_bind_int64(words.get(), 1, sqlite3_last_insert_rowid(m_db));
    Bind(words.get(), 2, title);
    Bind(words.get(), 3, text);
    if ((rc = sqlite3_step(words.get())) != SQLITE_DONE)
        Fail(rc, "adding a document's text");
}

qint64 TSearchIndex::Count()
{
    TStatement s(Prepare("SELECT count(*) FROM documents"));
    const int rc = sqlite3_step(s.get());
    if (rc != SQLITE_ROW)
        Fail(rc, "counting documents");
    return sqlite3_column_int64(s.get(), 0);
}

void TSearchIndex::StartWalk()
{
    Exec("CREATE TEMP TABLE IF NOT EXISTS visited(folder TEXT PRIMARY KEY);"
         "CREATE TEMP TABLE IF NOT EXISTS pending(id INTEGER PRIMARY KEY, folder TEXT, name TEXT, "
         "size INTEGER, modified INTEGER);"
         "DELETE FROM visited; DELETE FROM pending;");
}

void TSearchIndex::Visited(const QString& folder)
{
    TStatement s(Prepare("INSERT OR IGNORE INTO visited(folder) VALUES(?)"));
    Bind(s.get(), 1, folder);
    const int rc = sqlite3_step(s.get());
    if (rc != SQLITE_DONE)
        Fail(rc, "noting a folder");
}

qint64 TSearchIndex::DropUnvisited(bool apply)
{
    const char* gone = "SELECT id FROM documents WHERE folder NOT IN (SELECT folder FROM visited)";
    TStatement count(Prepare("SELECT count(*) FROM documents WHERE folder NOT IN "
                             "(SELECT folder FROM visited)"));
    int rc = sqlite3_step(count.get());
    if (rc != SQLITE_ROW)
        Fail(rc, "counting vanished documents");
    const qint64 n = sqlite3_column_int64(count.get(), 0);
    if (apply && n > 0) {
        Exec((std::string("DELETE FROM text WHERE rowid IN (") + gone + ")").c_str());
        Exec("DELETE FROM documents WHERE folder NOT IN (SELECT folder FROM visited)");
    }
    return n;
}

void TSearchIndex::AddPending(const QString& folder, const TDocument& document)
{
    TStatement s(Prepare("INSERT INTO pending(folder, name, size, modified) VALUES(?, ?, ?, ?)"));
    Bind(s.get(), 1, folder);
    Bind(s.get(), 2, document.name);
    sqlite3_bind_int64(s.get(), 3, document.size);
    sqlite3_bind_int64(s.get(), 4, document.modified);
    const int rc = sqlite3_step(s.get());
    if (rc != SQLITE_DONE)
        Fail(rc, "noting a document to read");
}

qint64 TSearchIndex::PendingCount()
{
    TStatement s(Prepare("SELECT count(*) FROM pending"));
    const int rc = sqlite3_step(s.get());
    if (rc != SQLITE_ROW)
        Fail(rc, "counting documents to read");
    return sqlite3_column_int64(s.get(), 0);
}

std::vector<TSearchIndex::TPending> TSearchIndex::Pending(qint64 afterId, int limit)
{
    TStatement s(Prepare("SELECT id, folder, name, size, modified FROM pending WHERE id>? "
                         "ORDER BY id LIMIT ?"));
    sqlite3_bind_int64(s.get(), 1, afterId);
    sqlite3_bind_int(s.get(), 2, limit);
    std::vector<TPending> rows;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(s.get(), 0),
                        Column(s.get(), 1),
                        {Column(s.get(), 2), sqlite3_column_int64(s.get(), 3),
                         sqlite3_column_int64(s.get(), 4)}});
    if (rc != SQLITE_DONE)
        Fail(rc, "reading documents to read");
    return rows;
}

TSearchHits TSearchIndex::Query(const QString& typed, int limit)
{
    TSearchHits hits;
    const QString match = TSearchQuery::MatchExpression(TSearchQuery::Terms(typed));
    if (match.isEmpty())
        return hits;
    // The best first (rank: BM25, the title weighted), then a passage for those alone: a passage costs far more than a rank,
    // and a common word matches thousands of documents.
    TStatement best(Prepare("SELECT rowid FROM text WHERE text MATCH ? ORDER BY rank LIMIT ?"));
    Bind(best.get(), 1, match);
    sqlite3_bind_int(best.get(), 2, limit);
    std::vector<qint64> ids;
    int rc;
    while ((rc = sqlite3_step(best.get())) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(best.get(), 0));
    if (rc != SQLITE_DONE)
        Fail(rc, "searching");
    TStatement s(Prepare(
        "SELECT d.folder, d.name, d.title, snippet(text, 1, char(1), char(2), '…', 16) "
        "FROM text JOIN documents d ON d.id = text.rowid WHERE text MATCH ? AND text.rowid = ?"));
    for (const qint64 id : ids) {
        sqlite3_reset(s.get());
        Bind(s.get(), 1, match);
        sqlite3_bind_int64(s.get(), 2, id);
        if ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
            hits.append(
                {Column(s.get(), 0), Column(s.get(), 1), Column(s.get(), 2), Column(s.get(), 3)});
        else if (rc != SQLITE_DONE)
            Fail(rc, "reading a passage");
    }
    return hits;
}
