#pragma once
#include <QByteArray>
#include <QString>
#include <memory>

class TFileLock;

// The private-profile service: the only code that reads or writes ini syntax.
//
// Reading follows the desktop convention the kits were written for: section and key
// names ignore case and surrounding blanks, the first of duplicate sections/keys wins,
// values lose surrounding blanks and one pair of matching quotes, and are cut to 1023
// characters. Writing changes only the bytes of the one key (or appends it), keeps
// everything else byte for byte, and replaces the file atomically. A write never
// creates a missing file: it reports false.
//
// Every read-modify-write holds an advisory lock on the file (TFileLock), so writers in
// other processes never undo each other's keys; a lock not taken within a bounded wait
// makes the write report false.
//
// Each atomic replace flushes the disk, which costs milliseconds; a caller writing many
// keys brackets them with BeginUpdate/EndUpdate so the file is replaced once.
class TIniFile
{
public:
    static constexpr int MaxValueLength = 1023;
    // Ini files are a few kilobytes; a larger file than this is not one, and reading it
    // whole would only exhaust memory. It is not read at all: every read gives its default,
    // every write fails.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    explicit TIniFile(const QString& fileName);
    // Commits writes still pending from an unbalanced BeginUpdate.
    virtual ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;
    TIniFile(TIniFile&& other) noexcept;
    TIniFile& operator=(TIniFile&&) = delete;

    QString FileName() const { return m_fileName; }

    // A state file saved under a new name: when nothing has the file's name, writes start
    // from an empty file, and the file appears, complete, with the first replace. Without
    // this a write to a missing file reports false.
    void SetMayCreate(bool mayCreate) { m_mayCreate = mayCreate; }

    // The key's value, or def when the section or key is absent (or the file unreadable).
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // "0x"/"0X" prefix reads as hexadecimal; a value that is not a number gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Any value that reads as a nonzero integer is true; a non-number gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // True when the file holds a section of that name, empty or not.
    bool SectionExists(const QString& section) const;

    // False when the file does not exist or cannot be replaced; the old file then stays
    // byte for byte.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);

    // Parses an integer the way ReadInteger does; ok tells whether it was a number.
    static int ParseInteger(const QString& text, bool* ok);

    // Batch mode (nestable). From the outermost BeginUpdate on, reads and writes work on a
    // copy of the file taken then; the outermost EndUpdate replaces the file once, and only
    // when a write changed the copy. Every write still reports false where it would have
    // failed alone (missing file, text the file cannot hold), except a failure of the disk
    // itself, which only EndUpdate sees: it then returns false and the file stays byte for
    // byte as it was. Inner EndUpdate calls return true.
    void BeginUpdate();
    bool EndUpdate();
    bool InUpdate() const { return m_updateCount > 0; }
    // Abandons every write of the batch in progress: the file stays as it was. The batch
    // still ends with its outermost EndUpdate.
    void CancelUpdate();

private:
    // The file a read or write works on: the batch's, or the name resolved afresh.
    QString ReadPath() const;
    // The bytes the next read or write works on: the batch copy or the file on disk.
    bool CurrentBytes(const QString& path, QByteArray* bytes) const;
    bool StoreBytes(const QString& path, const QByteArray& bytes, bool creating);
    // Whether a write may start from an empty file because nothing has the name.
    bool MayCreateAt(const QString& path) const;
    // Takes the batch's lock before its first write and rereads the file under it.
    bool LockBatch();

    QString m_fileName;
    int m_updateCount = 0;
    QString m_batchPath;
    QByteArray m_batchBytes;
    bool m_batchLoaded = false;
    bool m_batchChanged = false;
    bool m_batchCancelled = false;
    bool m_batchCreating = false;
    bool m_mayCreate = false;
    std::unique_ptr<TFileLock> m_batchLock;
};
