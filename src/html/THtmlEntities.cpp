#include "html/THtmlEntities.h"
#include <QHash>

namespace {

struct TEntity
{
    const char* name;
    char32_t code;
};

constexpr TEntity kEntities[] = {
    {"quot", 34},
    {"amp", 38},
    {"lt", 60},
    {"gt", 62},
    {"apos", 39},
    {"nbsp", 160},
    {"iexcl", 161},
    {"cent", 162},
    {"pound", 163},
    {"curren", 164},
    {"yen", 165},
    {"brvbar", 166},
    {"sect", 167},
    {"uml", 168},
    {"copy", 169},
    {"ordf", 170},
    {"laquo", 171},
    {"not", 172},
    {"shy", 173},
    {"reg", 174},
    {"macr", 175},
    {"deg", 176},
    {"plusmn", 177},
    {"sup2", 178},
    {"sup3", 179},
    {"acute", 180},
    {"micro", 181},
    {"para", 182},
    {"middot", 183},
    {"cedil", 184},
    {"sup1", 185},
    {"ordm", 186},
    {"raquo", 187},
    {"frac14", 188},
    {"frac12", 189},
    {"frac34", 190},
    {"iquest", 191},
    {"Agrave", 192},
    {"Aacute", 193},
    {"Acirc", 194},
    {"Atilde", 195},
    {"Auml", 196},
    {"Aring", 197},
    {"AElig", 198},
    {"Ccedil", 199},
    {"Egrave", 200},
    {"Eacute", 201},
    {"Ecirc", 202},
    {"Euml", 203},
    {"Igrave", 204},
    {"Iacute", 205},
    {"Icirc", 206},
    {"Iuml", 207},
    {"ETH", 208},
    {"Ntilde", 209},
    {"Ograve", 210},
    {"Oacute", 211},
    {"Ocirc", 212},
    {"Otilde", 213},
    {"Ouml", 214},
    {"times", 215},
    {"Oslash", 216},
    {"Ugrave", 217},
    {"Uacute", 218},
    {"Ucirc", 219},
    {"Uuml", 220},
    {"Yacute", 221},
    {"THORN", 222},
    {"szlig", 223},
    {"agrave", 224},
    {"aacute", 225},
    {"acirc", 226},
    {"atilde", 227},
    {"auml", 228},
    {"aring", 229},
    {"aelig", 230},
    {"ccedil", 231},
    {"egrave", 232},
    {"eacute", 233},
    {"ecirc", 234},
    {"euml", 235},
    {"igrave", 236},
    {"iacute", 237},
    {"icirc", 238},
    {"iuml", 239},
    {"eth", 240},
    {"ntilde", 241},
    {"ograve", 242},
    {"oacute", 243},
    {"ocirc", 244},
    {"otilde", 245},
    {"ouml", 246},
    {"divide", 247},
    {"oslash", 248},
    {"ugrave", 249},
    {"uacute", 250},
    {"ucirc", 251},
    {"uuml", 252},
    {"yacute", 253},
    {"thorn", 254},
    {"yuml", 255},
    // Typographic names that pages of the late nineties already carried.
    {"ndash", 0x2013},
    {"mdash", 0x2014},
    {"lsquo", 0x2018},
    {"rsquo", 0x2019},
    {"sbquo", 0x201A},
    {"ldquo", 0x201C},
    {"rdquo", 0x201D},
    {"bdquo", 0x201E},
    {"dagger", 0x2020},
    {"Dagger", 0x2021},
    {"bull", 0x2022},
    {"hellip", 0x2026},
    {"permil", 0x2030},
    {"lsaquo", 0x2039},
    {"rsaquo", 0x203A},
    {"euro", 0x20AC},
    {"trade", 0x2122},
    {"OElig", 0x0152},
    {"oelig", 0x0153},
    {"Scaron", 0x0160},
    {"scaron", 0x0161},
    {"Yuml", 0x0178},
    {"fnof", 0x0192},
    {"circ", 0x02C6},
    {"tilde", 0x02DC},
    {"ensp", 0x2002},
    {"emsp", 0x2003},
    {"thinsp", 0x2009},
};

// Names without an upper/lower-case twin, which old pages also wrote in capitals.
constexpr const char* kCaselessNames[] = {"quot", "amp",  "lt",  "gt",
                                          "nbsp", "copy", "reg", "trade"};

// Windows-1252 for bytes 0x80-0x9F; numeric references in that range meant these.
constexpr char16_t kWin1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

constexpr int kLongestName = 8;

const QHash<QString, char32_t>& Table()
{
    static const QHash<QString, char32_t> table = [] {
        QHash<QString, char32_t> t;
        for (const TEntity& e : kEntities)
            t.insert(QString::fromLatin1(e.name), e.code);
        for (const char* n : kCaselessNames) {
            const QString name = QString::fromLatin1(n);
            t.insert(name.toUpper(), t.value(name));
        }
        return t;
    }();
    return table;
}

bool IsAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

void AppendCode(QString& out, char32_t code)
{
    if (QChar::requiresSurrogates(code)) {
        out += QChar(QChar::highSurrogate(code));
        out += QChar(QChar::lowSurrogate(code));
    } else {
        out += QChar(char16_t(code));
    }
}

} // namespace

char32_t THtmlEntities::Lookup(QStringView name)
{
    if (name.isEmpty() || name.size() > kLongestName)
        return 0;
    return Table().value(name.toString(), 0);
}

char32_t THtmlEntities::FromNumber(qint64 n)
{
    if (n >= 0x80 && n <= 0x9F)
        return kWin1252High[n - 0x80];
    if (n <= 0 || n > 0x10FFFF || (n >= 0xD800 && n <= 0xDFFF))
        return 0xFFFD;
    if (n < 0x20 && n != 9 && n != 10 && n != 13)
        return 0xFFFD;
    return char32_t(n);
}

int THtmlEntities::DecodeAt(QStringView text, qsizetype pos, QString& out, bool inAttribute)
{
    const qsizetype n = text.size();
    if (pos + 1 >= n || text[pos] != u'&')
        return 0;
    qsizetype i = pos + 1;
    if (text[i] == u'#') {
        ++i;
        bool hex = false;
        if (i < n && (text[i] == u'x' || text[i] == u'X')) {
            hex = true;
            ++i;
        }
        const qsizetype digitsStart = i;
        qint64 value = 0;
        while (i < n) {
            const char16_t c = text[i].unicode();
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            if (value <= 0x10FFFF)
                value = value * (hex ? 16 : 10) + d; // saturates well above the range
            ++i;
        }
        if (i == digitsStart)
            return 0;
        if (i < n && text[i] == u';')
            ++i;
        AppendCode(out, FromNumber(value));
        return int(i - pos);
    }
    qsizetype end = i;
    while (end < n && end - i <= kLongestName && IsAsciiAlnum(text[end]))
        ++end;
    if (end == i)
        return 0;
    // The longest known name wins ("&copy2000" is the copyright sign and "2000").
    for (qsizetype len = end - i; len > 0; --len) {
        const char32_t code = Lookup(text.mid(i, len));
        if (code == 0)
            continue;
        const bool terminated = i + len < n && text[i + len] == u';';
        if (!terminated && inAttribute && i + len < n &&
            (text[i + len] == u'=' || IsAsciiAlnum(text[i + len])))
            return 0;
        AppendCode(out, code);
        return int(len + 1 + (terminated ? 1 : 0));
    }
    return 0;
}

QString THtmlEntities::Decode(QStringView text, bool inAttribute)
{
    const qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text.toString();
    QString out;
    out.reserve(text.size());
    out += text.left(amp);
    for (qsizetype i = amp; i < text.size();) {
        if (text[i] == u'&') {
            const int used = DecodeAt(text, i, out, inAttribute);
            if (used > 0) {
                i += used;
                continue;
            }
        }
        out += text[i];
        ++i;
    }
    return out;
}
