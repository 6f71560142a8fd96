// libFuzzer target: the private-profile service on arbitrary files. The input's last bytes
// steer the run (which names to read, which key to write and with what value); the rest is
// the file. Every name found in the file is read, then one key is written and the result
// must keep the service's promises:
//  - reading never crashes and gives at most 1023 characters;
//  - a write of a name or value the file can hold succeeds, one it cannot hold fails;
//  - a failed write leaves the file byte for byte as it was;
//  - a successful one changes the bytes of the key's own line only (or adds one key line,
//    or one section with its key at the end), and every other key reads as before;
//  - the key reads back as the value written, trimmed, unquoted and cut to 1023
//    characters (never between the two halves of a character outside the basic plane);
//  - writing the same key and value again leaves the file untouched;
//  - the same write inside a batch gives the same bytes.
// A violated promise aborts, so libFuzzer keeps the input. Built outside the default
// build; see README.md.
#include "platform/TIniFile.h"
#include "platform/TTextCodec.h"
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

// Control characters and NULs shown escaped, so the whole detail reaches the log.
QByteArray Printable(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == u'\\')
            out += "\\x" + QByteArray::number(c.unicode(), 16).rightJustified(2, '0');
        else
            out += QString(c).toUtf8();
    }
    return out;
}

[[noreturn]] void Fail(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "IniFileFuzz: %s %s\n", what, Printable(detail).constData());
    std::abort();
}

void Check(bool condition, const char* what, const QString& detail = QString())
{
    if (!condition)
        Fail(what, detail);
}

// Each process works on its own files in memory-backed storage when there is some: every
// write of the service is flushed to disk, which would otherwise cost most of the time.
QString WorkPath(const char* name)
{
    const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/zelmora-ini-fuzz-%2-%3.ini")
        .arg(folder)
        .arg(QCoreApplication::applicationPid())
        .arg(QLatin1String(name));
}

bool IsBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\v' || u == u'\f';
}

QString Trim(const QString& s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && IsBlank(s[from]))
        ++from;
    while (to > from && IsBlank(s[to - 1]))
        --to;
    return s.mid(from, to - from);
}

QString DropLeading(const QString& s)
{
    qsizetype from = 0;
    while (from < s.size() && IsBlank(s[from]))
        ++from;
    return s.mid(from);
}

bool HasLineEnd(const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); }

// What a reader gets back for a written value.
QString ExpectedReadBack(const QString& written)
{
    QString v = Trim(written);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    if (v.size() > TIniFile::MaxValueLength) {
        qsizetype cut = TIniFile::MaxValueLength;
        if (v[cut - 1].isHighSurrogate())
            --cut;
        v.truncate(cut);
    }
    return v;
}

bool SameName(const QString& a, const QString& b)
{
    return Trim(a).compare(Trim(b), Qt::CaseInsensitive) == 0;
}

// The text of a Windows-1252 file in UTF-8; a byte-order mark at the start stays one.
QByteArray InUtf8(const QByteArray& bytes)
{
    const qsizetype mark = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    return bytes.left(mark) + TTextCodec::DecodeWindows1252(bytes.mid(mark)).toUtf8();
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        Fail("cannot read back", path);
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        Fail("cannot prepare", path);
}

int CountLineEndBytes(const char* p, qsizetype n)
{
    int count = 0;
    for (qsizetype i = 0; i < n; ++i)
        count += (p[i] == '\r' || p[i] == '\n');
    return count;
}

struct Pair
{
    QString section;
    QString key;
};

// The names the file holds: each key line with the section above it, as a reader of the
// file would see them. The service's own parser is not reused, so both can be wrong only
// in different ways.
void CollectNames(const QByteArray& bytes, QStringList* sections, std::vector<Pair>* pairs)
{
    const bool utf8 = TTextCodec::IsValidUtf8(bytes);
    auto decode = [&](const QByteArray& b) {
        return utf8 ? QString::fromUtf8(b) : TTextCodec::DecodeWindows1252(b);
    };
    QString current;
    qsizetype pos = 0;
    while (pos < bytes.size() && pairs->size() < 32) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = end + 1;
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[') && trimmed.lastIndexOf(']') > 0) {
            current = decode(trimmed.mid(1, trimmed.lastIndexOf(']') - 1));
            sections->append(current);
        } else if (line.contains('=') && !trimmed.startsWith(';')) {
            pairs->push_back({current, decode(line.left(line.indexOf('=')))});
        }
    }
}

// A name or value made of a slice of the input, or one of a few awkward texts.
QString MakeText(FuzzedDataProvider& fdp, const QByteArray& pool, int maxLength)
{
    static const char16_t* const kAwkward[] = {
        u"",
        u" ",
        u"\"quoted\"",
        u"'single'",
        u"\"",
        u" padded value  ",
        u"caf\u00e9",
        u"\u20ac price",
        u"\u017elu\u0165ou\u010dk\u00fd",
        u"\u4e2d\u6587",
        u"\U0001F600 smile",
        u"a=b",
        u";comment",
        u"[section]",
        u"x]y",
        u"line\r\nbreak",
        u"tab\tinside",
    };
    const uint8_t how = fdp.ConsumeIntegral<uint8_t>();
    if (how < 48)
        return QString::fromUtf16(kAwkward[how % (sizeof kAwkward / sizeof *kAwkward)]);
    const int from = pool.isEmpty() ? 0 : int(fdp.ConsumeIntegral<uint16_t>() % pool.size());
    const int length = fdp.ConsumeIntegralInRange<int>(0, maxLength);
    QString text = QString::fromUtf8(pool.mid(from, length));
    if (how >= 240) {
        // Long values, beyond the cut, made of characters of every width.
        const QString unit = QString::fromUtf16(u"ab\u00e9\U0001F600");
        text = text.left(8) + unit.repeated(300 + (how - 240) * 7);
    }
    return text;
}

QString PickName(FuzzedDataProvider& fdp, const QStringList& found, const QByteArray& pool)
{
    const uint8_t how = fdp.ConsumeIntegral<uint8_t>();
    QString name =
        (how < 160 && !found.isEmpty()) ? found[how % found.size()] : MakeText(fdp, pool, 40);
    if (how & 0x20)
        name = name.toUpper();
    if (how & 0x40)
        name = QStringLiteral(" \t") + name + QStringLiteral(" ");
    return name;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The steering bytes come from the end of the input, so the seed files keep their
    // heads: the first sections and keys of a seed are what the run reads and writes.
    const size_t steer = std::min<size_t>(size, 16);
    FuzzedDataProvider control(data + size - steer, steer);
    const QByteArray fileBytes(reinterpret_cast<const char*>(data), qsizetype(size - steer));

    const QString path = WorkPath("a");
    const QString batchPath = WorkPath("b");
    WriteBytes(path, fileBytes);

    QStringList sections;
    std::vector<Pair> pairs;
    CollectNames(fileBytes, &sections, &pairs);
    QStringList keys;
    for (const Pair& p : pairs)
        keys.append(p.key);
    pairs.push_back({PickName(control, sections, fileBytes), PickName(control, keys, fileBytes)});

    // Absent keys give the default, which no value can equal: values hold no line ends.
    const QString absent = QStringLiteral("\n<absent>");
    TIniFile ini(path);
    std::vector<QString> before;
    for (const Pair& p : pairs) {
        const QString value = ini.ReadString(p.section, p.key, absent);
        Check(value == absent || value.size() <= TIniFile::MaxValueLength, "value too long");
        Check(value == absent || !HasLineEnd(value), "value holds a line end");
        Check((value != absent) == ini.ValueExists(p.section, p.key), "ValueExists disagrees");
        Check(ini.ReadString(p.section, p.key, absent) == value, "second read differs");
        (void)ini.ReadInteger(p.section, p.key, -7);
        (void)ini.ReadBool(p.section, p.key, true);
        before.push_back(value);
    }

    // The key to write.
    const QString section = PickName(control, sections, fileBytes);
    const QString key = PickName(control, keys, fileBytes);
    const QString value = MakeText(control, fileBytes, 1400);
    const bool keyExisted = ini.ValueExists(section, key);

    const bool fileUtf8 = TTextCodec::IsValidUtf8(fileBytes);
    const QString sectionName = Trim(section), keyName = Trim(key), newValue = DropLeading(value);
    const bool structural = HasLineEnd(sectionName) || HasLineEnd(keyName) ||
                            HasLineEnd(newValue) || keyName.contains(u'=') ||
                            keyName.startsWith(u';') || keyName.startsWith(u'[');

    const bool ok = ini.WriteString(section, key, value);
    const QByteArray after = ReadBytes(path);
    const QString detail = QStringLiteral("[%1] %2 = %3").arg(section, key, value.left(80));

    Check(ok != structural,
          structural ? "write that would break the file succeeded" : "write failed", detail);
    if (!ok) {
        Check(after == fileBytes, "failed write changed the file", detail);
        return 0;
    }
    // A Windows-1252 file the write would turn into valid UTF-8, or whose encoding cannot
    // hold the new text, is kept in UTF-8 whole: the changes are measured against that.
    const QByteArray original =
        !fileUtf8 && TTextCodec::IsValidUtf8(after) ? InUtf8(fileBytes) : fileBytes;

    // Only the key's own line changed, or lines were added.
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(after.size(), original.size());
    while (prefix < shorter && after[prefix] == original[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           after[after.size() - 1 - suffix] == original[original.size() - 1 - suffix])
        ++suffix;
    const int removedEnds =
        CountLineEndBytes(original.constData() + prefix, original.size() - suffix - prefix);
    const int addedEnds =
        CountLineEndBytes(after.constData() + prefix, after.size() - suffix - prefix);
    Check(removedEnds == 0, "a line end was removed", detail);
    Check(keyExisted ? addedEnds == 0 : addedEnds <= 6, "lines added", detail);
    if (keyExisted)
        Check(after.size() - suffix - prefix <= newValue.toUtf8().size(),
              "more than the value changed", detail);

    const QString expected = ExpectedReadBack(value);
    const QString readBack = ini.ReadString(section, key, absent);
    Check(readBack == expected, "value read back differs",
          detail + QStringLiteral(" -> ") + readBack.left(80));
    for (size_t i = 0; i < pairs.size(); ++i) {
        const QString now = ini.ReadString(pairs[i].section, pairs[i].key, absent);
        if (SameName(pairs[i].section, section) && SameName(pairs[i].key, key))
            Check(now == expected, "same key, other spelling, reads otherwise", detail);
        else
            Check(now == before[i], "another key changed",
                  detail + QStringLiteral(" other [%1] %2").arg(pairs[i].section, pairs[i].key));
    }

    // Writing what the key already holds changes nothing.
    Check(ini.WriteString(section, key, value), "second write failed", detail);
    Check(ReadBytes(path) == after, "second write changed the file", detail);

    // A batch makes the same change.
    WriteBytes(batchPath, fileBytes);
    {
        TIniFile batch(batchPath);
        batch.BeginUpdate();
        Check(batch.WriteString(section, key, value), "batch write failed", detail);
        Check(batch.ReadString(section, key, absent) == readBack, "batch read differs", detail);
        Check(batch.EndUpdate(), "batch end failed", detail);
    }
    Check(ReadBytes(batchPath) == after, "batch wrote other bytes", detail);
    return 0;
}
