#include "platform/TIniFile.h"
#include "platform/TAtomicFile.h"
#include "platform/TFileLock.h"
#include "platform/TPath.h"
#include "platform/TTextCodec.h"
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <sys/stat.h>
#include <utility>

namespace {

// The blanks that surround names and values. All of them are ASCII, so they can be
// trimmed on the raw bytes of either encoding: no UTF-8 sequence and no Windows-1252
// character other than these uses those byte values.
bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

QString TrimBlanks(const QString& text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && IsBlank(text[from].unicode()))
        ++from;
    while (to > from && IsBlank(text[to - 1].unicode()))
        --to;
    return text.mid(from, to - from);
}

QString DropLeadingBlanks(const QString& text)
{
    qsizetype from = 0;
    while (from < text.size() && IsBlank(text[from].unicode()))
        ++from;
    return text.mid(from);
}

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool HasLineEnd(const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); }

// The whole file as read, with the encoding its bytes are in.
struct IniText
{
    QByteArray bytes;
    bool utf8 = true;
    qsizetype start = 0; // first byte after a byte-order mark

    QString Decode(qsizetype from, qsizetype to) const
    {
        const QByteArray part = QByteArray::fromRawData(bytes.constData() + from, to - from);
        return utf8 ? TTextCodec::DecodeUtf8Part(part) : TTextCodec::DecodeWindows1252(part);
    }

    // False when the text cannot be held in the file's encoding: writing it anyway would
    // store something else than the caller asked for.
    bool Encode(const QString& text, QByteArray* out) const
    {
        if (utf8) {
            *out = text.toUtf8();
            return true;
        }
        *out = TTextCodec::EncodeWindows1252(text);
        return TTextCodec::DecodeWindows1252(*out) == text;
    }

    void TrimRange(qsizetype* from, qsizetype* to) const
    {
        while (*from < *to && IsBlank(uchar(bytes[*from])))
            ++*from;
        while (*to > *from && IsBlank(uchar(bytes[*to - 1])))
            --*to;
    }
};

// Loads a regular file; false for a missing file, a folder, a device or pipe (which could
// block), an unreadable or absurdly large file.
bool LoadIniBytes(const QString& path, QByteArray* bytes)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > TIniFile::MaxFileSize)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

void MakeIniText(const QByteArray& bytes, IniText* text)
{
    text->bytes = bytes;
    text->utf8 = TTextCodec::IsValidUtf8(text->bytes);
    text->start = text->bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

// Where a key is, or where it would go, in the first section of the wanted name.
struct KeyPlace
{
    bool sectionFound = false;
    bool keyFound = false;
    // Value bytes of the found key: everything after its "=" up to the line end.
    qsizetype valueFrom = 0;
    qsizetype valueTo = 0;
    // Just after the last key line of the section (or its header when it has none).
    qsizetype insertAt = 0;
    bool anchorHasLineEnd = true;
};

bool NameMatches(const IniText& text, qsizetype from, qsizetype to, const QString& wanted)
{
    text.TrimRange(&from, &to);
    // Case folding keeps the length in UTF-16 units; a Windows-1252 byte is one unit and a
    // UTF-8 sequence at most as many units as bytes, so most names that cannot match are
    // rejected without decoding them.
    const qsizetype length = to - from;
    if (text.utf8 ? length < wanted.size() : length != wanted.size())
        return false;
    return text.Decode(from, to).compare(wanted, Qt::CaseInsensitive) == 0;
}

KeyPlace FindKey(const IniText& text, const QString& section, const QString& key)
{
    KeyPlace place;
    const QByteArray& b = text.bytes;
    const qsizetype n = b.size();
    const char* data = b.constData();
    bool inSection = false;
    qsizetype pos = text.start;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && !IsLineEnd(data[end]))
            ++end;
        qsizetype next = end;
        if (next < n)
            next += (data[next] == '\r' && next + 1 < n && data[next + 1] == '\n') ? 2 : 1;

        qsizetype first = pos;
        while (first < end && IsBlank(uchar(data[first])))
            ++first;

        bool header = false;
        if (first < end && data[first] == '[') {
            qsizetype close = end - 1;
            while (close > first && data[close] != ']')
                --close;
            if (close > first) {
                header = true;
                // Only the first section of a name is ever searched.
                if (inSection)
                    return place;
                if (!place.sectionFound && NameMatches(text, first + 1, close, section)) {
                    inSection = true;
                    place.sectionFound = true;
                    place.insertAt = next;
                    place.anchorHasLineEnd = end < n;
                }
            }
        }
        if (!header && inSection && first < end && data[first] != ';') {
            const char* eq =
                static_cast<const char*>(memchr(data + first, '=', size_t(end - first)));
            if (eq) {
                const qsizetype eqPos = eq - data;
                place.insertAt = next;
                place.anchorHasLineEnd = end < n;
                if (NameMatches(text, first, eqPos, key)) {
                    place.keyFound = true;
                    place.valueFrom = eqPos + 1;
                    place.valueTo = end;
                    return place;
                }
            }
        }
        pos = next;
    }
    return place;
}

// The raw value of a found key: surrounding blanks removed, quotes still on.
QString RawValue(const IniText& text, const KeyPlace& place)
{
    qsizetype from = place.valueFrom, to = place.valueTo;
    text.TrimRange(&from, &to);
    return text.Decode(from, to);
}

QString Unquote(const QString& value)
{
    if (value.size() >= 2) {
        const QChar q = value.front();
        if ((q == u'"' || q == u'\'') && value.back() == q)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

QString CutToMaxLength(const QString& value)
{
    if (value.size() <= TIniFile::MaxValueLength)
        return value;
    qsizetype cut = TIniFile::MaxValueLength;
    // Never leave half of a character outside the basic plane.
    if (value[cut - 1].isHighSurrogate())
        --cut;
    return value.left(cut);
}

// Names and values that would change the file's structure when written: a line break
// starts a new line, "=" in a key moves the split, a key beginning with ";" or "[" would be
// read as a comment or a section header.
bool CanWrite(const QString& section, const QString& key, const QString& value)
{
    if (HasLineEnd(section) || HasLineEnd(key) || HasLineEnd(value))
        return false;
    if (key.contains(u'='))
        return false;
    return !(key.startsWith(u';') || key.startsWith(u'['));
}

// The file's bytes with the key set to the value; false when the file's encoding cannot
// hold the names or the value.
bool ChangedBytes(const IniText& text, const QString& sectionName, const QString& keyName,
                  const QString& newValue, QByteArray* out)
{
    QByteArray encodedValue;
    if (!text.Encode(newValue, &encodedValue))
        return false;

    const KeyPlace place = FindKey(text, sectionName, keyName);
    if (place.keyFound) {
        if (RawValue(text, place) == TrimBlanks(newValue)) {
            *out = text.bytes;
            return true;
        }
        // Keep the key as the file spells it and the blanks after its "=".
        qsizetype from = place.valueFrom;
        while (from < place.valueTo && IsBlank(uchar(text.bytes[from])))
            ++from;
        *out = text.bytes.left(from) + encodedValue + text.bytes.mid(place.valueTo);
        return true;
    }
    QByteArray encodedKey;
    if (!text.Encode(keyName, &encodedKey))
        return false;
    const QByteArray keyLine = encodedKey + '=' + encodedValue + "\r\n";
    *out = text.bytes;
    if (place.sectionFound) {
        out->insert(place.insertAt, place.anchorHasLineEnd ? keyLine : "\r\n" + keyLine);
        return true;
    }
    QByteArray encodedSection;
    if (!text.Encode(sectionName, &encodedSection))
        return false;
    if (out->size() > text.start && !IsLineEnd(out->back()))
        *out += "\r\n";
    *out += '[' + encodedSection + "]\r\n" + keyLine;
    return true;
}

// Bytes that are valid UTF-8 and not plain ASCII are read as UTF-8.
bool ReadsAsUtf8(const QByteArray& bytes)
{
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    return !ascii && TTextCodec::IsValidUtf8(bytes);
}

// The same text in UTF-8. The three bytes of a byte-order mark at the start are skipped
// by the reader in either encoding, so they stay as they are.
void ConvertToUtf8(IniText* text)
{
    const QByteArray mark = text->bytes.left(text->start);
    text->bytes = mark + TTextCodec::DecodeWindows1252(text->bytes.mid(text->start)).toUtf8();
    text->utf8 = true;
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : m_fileName(fileName) {}

TIniFile::TIniFile(TIniFile&& other) noexcept
    : m_fileName(std::move(other.m_fileName))
    , m_updateCount(std::exchange(other.m_updateCount, 0))
    , m_batchPath(std::move(other.m_batchPath))
    , m_batchBytes(std::move(other.m_batchBytes))
    , m_batchLoaded(std::exchange(other.m_batchLoaded, false))
    , m_batchChanged(std::exchange(other.m_batchChanged, false))
    , m_batchCancelled(std::exchange(other.m_batchCancelled, false))
    , m_batchCreating(std::exchange(other.m_batchCreating, false))
    , m_mayCreate(other.m_mayCreate)
    , m_batchLock(std::move(other.m_batchLock))
{}

TIniFile::~TIniFile()
{
    if (m_updateCount > 0) {
        m_updateCount = 1;
        EndUpdate();
    }
}

void TIniFile::BeginUpdate()
{
    if (m_updateCount++ > 0)
        return;
    m_batchPath = TPath::Resolve(m_fileName);
    m_batchBytes.clear();
    m_batchLoaded = LoadIniBytes(m_batchPath, &m_batchBytes);
    m_batchCreating = !m_batchLoaded && MayCreateAt(m_batchPath);
    m_batchLoaded = m_batchLoaded || m_batchCreating;
    m_batchChanged = false;
    m_batchCancelled = false;
}

bool TIniFile::MayCreateAt(const QString& path) const
{
    struct stat st;
    return m_mayCreate && !path.isEmpty() &&
           ::lstat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT;
}

bool TIniFile::LockBatch()
{
    if (m_batchCreating || m_batchLock)
        return true;
    auto lock = std::make_unique<TFileLock>(m_batchPath);
    if (!lock->IsLocked())
        return false;
    m_batchLock = std::move(lock);
    // Another writer may have changed the file since the batch began; nothing of this
    // batch is written yet, so it goes on from the file as it is now.
    if (!m_batchChanged) {
        QByteArray now;
        m_batchLoaded = LoadIniBytes(m_batchPath, &now);
        m_batchBytes = now;
    }
    return m_batchLoaded;
}

void TIniFile::CancelUpdate()
{
    if (m_updateCount > 0)
        m_batchCancelled = true;
}

bool TIniFile::EndUpdate()
{
    if (m_updateCount <= 0)
        return true;
    if (--m_updateCount > 0)
        return true;
    const bool ok = m_batchCancelled || !m_batchChanged ||
                    (m_batchCreating ? TAtomicFile::Create(m_batchPath, m_batchBytes)
                                     : TPath::WriteFileAtomically(m_batchPath, m_batchBytes));
    m_batchLock.reset();
    m_batchBytes.clear();
    m_batchLoaded = false;
    m_batchChanged = false;
    m_batchCancelled = false;
    m_batchCreating = false;
    return ok;
}

QString TIniFile::ReadPath() const { return InUpdate() ? m_batchPath : TPath::Resolve(m_fileName); }

bool TIniFile::CurrentBytes(const QString& path, QByteArray* bytes) const
{
    if (m_updateCount > 0) {
        *bytes = m_batchBytes;
        return m_batchLoaded;
    }
    return LoadIniBytes(path, bytes);
}

bool TIniFile::StoreBytes(const QString& path, const QByteArray& bytes, bool creating)
{
    if (m_updateCount > 0) {
        m_batchBytes = bytes;
        m_batchChanged = true;
        return true;
    }
    return creating ? TAtomicFile::Create(path, bytes) : TPath::WriteFileAtomically(path, bytes);
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    QByteArray bytes;
    if (!CurrentBytes(ReadPath(), &bytes))
        return def;
    IniText text;
    MakeIniText(bytes, &text);
    const KeyPlace place = FindKey(text, TrimBlanks(section), TrimBlanks(key));
    if (!place.keyFound)
        return def;
    return CutToMaxLength(Unquote(RawValue(text, place)));
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const int value = ParseInteger(ReadString(section, key, QString()), &ok);
    return ok ? value : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    bool ok = false;
    const int value = ParseInteger(ReadString(section, key, QString()), &ok);
    return ok ? value != 0 : def;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    QByteArray bytes;
    if (!CurrentBytes(ReadPath(), &bytes))
        return false;
    IniText text;
    MakeIniText(bytes, &text);
    return FindKey(text, TrimBlanks(section), TrimBlanks(key)).keyFound;
}

bool TIniFile::SectionExists(const QString& section) const
{
    QByteArray bytes;
    if (!CurrentBytes(ReadPath(), &bytes))
        return false;
    IniText text;
    MakeIniText(bytes, &text);
    return FindKey(text, TrimBlanks(section), QString()).sectionFound;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = TrimBlanks(section);
    const QString keyName = TrimBlanks(key);
    const QString newValue = DropLeadingBlanks(value);
    if (!CanWrite(sectionName, keyName, newValue))
        return false;

    const QString path = ReadPath();
    // The whole read-modify-write runs under the file's lock.
    std::unique_ptr<TFileLock> lock;
    bool creating = false;
    QByteArray bytes;
    if (InUpdate()) {
        if (!LockBatch() || !CurrentBytes(path, &bytes))
            return false;
    } else {
        lock = std::make_unique<TFileLock>(path);
        creating = !lock->IsLocked() && MayCreateAt(path);
        if (!lock->IsLocked() && !creating)
            return false;
        if (!creating && !LoadIniBytes(path, &bytes))
            return false;
    }
    IniText text;
    MakeIniText(bytes, &text);

    QByteArray out;
    bool built = ChangedBytes(text, sectionName, keyName, newValue, &out);
    // The encoding is decided for the whole file when it is read, so a Windows-1252 file
    // that cannot hold the new text, or whose bytes would pass for UTF-8 once changed (its
    // other non-ASCII names would then read as something else), is kept in UTF-8 instead.
    if (!text.utf8 && (!built || ReadsAsUtf8(out))) {
        ConvertToUtf8(&text);
        built = ChangedBytes(text, sectionName, keyName, newValue, &out);
    }
    if (!built)
        return false;
    if (out == bytes && !creating)
        return true;
    return StoreBytes(path, out, creating);
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

int TIniFile::ParseInteger(const QString& text, bool* ok)
{
    bool dummy = false;
    bool& good = ok ? *ok : dummy;
    good = false;

    const QString s = TrimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    // Hexadecimal with "0x" or "0X", and with "$" as the state files of the original
    // desktop's tools wrote it; up to 32 bits, so colour numbers with the top bit set read
    // back as the negative numbers they are.
    int base = 10;
    if (s.mid(i, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < s.size() && s[i] == u'$') {
        base = 16;
        ++i;
    }
    if (i >= s.size())
        return 0;

    const quint64 limit = base == 16 ? 0xFFFFFFFFull
                                     : (negative ? quint64(std::numeric_limits<int>::max()) + 1
                                                 : quint64(std::numeric_limits<int>::max()));
    quint64 value = 0;
    for (; i < s.size(); ++i) {
        const int digit = DigitValue(s[i], base);
        if (digit < 0)
            return 0;
        value = value * quint64(base) + quint64(digit);
        if (value > limit)
            return 0;
    }
    const quint32 bits = quint32(value);
    good = true;
    return int(negative ? 0u - bits : bits);
}
