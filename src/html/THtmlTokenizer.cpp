#include "html/THtmlTokenizer.h"
#include "html/THtmlEntities.h"

namespace {

bool IsSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\r' || u == '\f' || u == '\v';
}

bool IsAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

// Elements whose content is not markup. Title and textarea content still has references.
bool IsRawTextElement(const QString& name, bool* decode)
{
    *decode = name == QLatin1String("title") || name == QLatin1String("textarea");
    return *decode || name == QLatin1String("script") || name == QLatin1String("style") ||
           name == QLatin1String("xmp") || name == QLatin1String("listing") ||
           name == QLatin1String("plaintext");
}

// Characters no page means to show: controls other than tab and line ends, and the
// NULs of binary files renamed to .htm.
QString WithoutControls(QString text)
{
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0x7F)
            c = QChar(u' ');
    }
    return text;
}

} // namespace

THtmlTokenizer::THtmlTokenizer(const QString& source) : m_source(source) {}

qsizetype THtmlTokenizer::Find(QStringView needle, qsizetype from, Qt::CaseSensitivity cs)
{
    for (const TFailedSearch& f : m_failed)
        if (f.cs == cs && from >= f.from && f.needle == needle)
            return -1;
    const qsizetype at = QStringView(m_source).indexOf(needle, from, cs);
    if (at < 0) {
        for (TFailedSearch& f : m_failed)
            if (f.cs == cs && f.needle == needle) {
                f.from = from;
                return at;
            }
        m_failed.append({needle.toString(), cs, from});
    }
    return at;
}

bool THtmlTokenizer::Next(THtmlToken& token)
{
    token.attributes.clear();
    token.name.clear();
    token.text.clear();
    while (m_pos < m_source.size()) {
        if (!m_rawEnd.isEmpty())
            return ReadRawText(token);
        if (m_source[m_pos] == u'<' && ReadTag(token))
            return true;
        if (m_pos >= m_source.size())
            return false;
        if (m_source[m_pos] == u'<' && m_pos + 1 < m_source.size() &&
            (m_source[m_pos + 1] == u'!' || m_source[m_pos + 1] == u'?')) {
            SkipMarkupDeclaration();
            continue;
        }
        ReadText(token);
        return true;
    }
    return false;
}

void THtmlTokenizer::SkipMarkupDeclaration()
{
    // Comments run to "-->"; one that never ends, like any other "<!" or "<?"
    // declaration, runs to the next ">" so a stray "<!--" does not swallow the page.
    if (QStringView(m_source).mid(m_pos, 4) == u"<!--") {
        const qsizetype end = Find(u"-->", m_pos + 4);
        if (end >= 0) {
            m_pos = end + 3;
            return;
        }
    }
    const qsizetype gt = Find(u">", m_pos + 2);
    m_pos = gt < 0 ? m_source.size() : gt + 1;
}

void THtmlTokenizer::ReadText(THtmlToken& token)
{
    // Up to the next "<" that starts something; a lone "<" is text.
    qsizetype end = m_pos + (m_source[m_pos] == u'<' ? 1 : 0);
    while (true) {
        end = Find(u"<", end);
        if (end < 0) {
            end = m_source.size();
            break;
        }
        if (end + 1 < m_source.size()) {
            const QChar next = m_source[end + 1];
            if (IsAsciiLetter(next) || next == u'!' || next == u'?' ||
                (next == u'/' && end + 2 < m_source.size() && IsAsciiLetter(m_source[end + 2])))
                break;
        }
        ++end;
    }
    token.kind = THtmlToken::Text;
    token.text =
        WithoutControls(THtmlEntities::Decode(QStringView(m_source).mid(m_pos, end - m_pos)));
    m_pos = end;
}

bool THtmlTokenizer::ReadRawText(THtmlToken& token)
{
    const QString close = QStringLiteral("</") + m_rawEnd;
    qsizetype end =
        m_rawEnd == QLatin1String("plaintext") ? -1 : Find(close, m_pos, Qt::CaseInsensitive);
    if (end < 0)
        end = m_source.size();
    const QStringView raw = QStringView(m_source).mid(m_pos, end - m_pos);
    token.kind = THtmlToken::Text;
    token.text = WithoutControls(m_rawDecode ? THtmlEntities::Decode(raw) : raw.toString());
    m_pos = end;
    m_rawEnd.clear();
    return true;
}

bool THtmlTokenizer::ReadTag(THtmlToken& token)
{
    const qsizetype n = m_source.size();
    qsizetype i = m_pos + 1;
    bool end = false;
    if (i < n && m_source[i] == u'/') {
        end = true;
        ++i;
    }
    if (i >= n || !IsAsciiLetter(m_source[i]))
        return false;
    const qsizetype nameStart = i;
    while (i < n && !IsSpace(m_source[i]) && m_source[i] != u'>' && m_source[i] != u'/' &&
           m_source[i] != u'<')
        ++i;
    token.kind = end ? THtmlToken::EndTag : THtmlToken::StartTag;
    token.name = m_source.mid(nameStart, i - nameStart).toLower();

    // Attributes, until ">" or a "<" that plainly begins the next tag.
    while (i < n) {
        while (i < n && (IsSpace(m_source[i]) || m_source[i] == u'/'))
            ++i;
        if (i >= n)
            break;
        if (m_source[i] == u'>') {
            ++i;
            break;
        }
        if (m_source[i] == u'<')
            break;
        const qsizetype attrStart = i;
        while (i < n && !IsSpace(m_source[i]) && m_source[i] != u'=' && m_source[i] != u'>' &&
               m_source[i] != u'<')
            ++i;
        if (i == attrStart) { // a lone "=": skip it
            ++i;
            continue;
        }
        QString attrName = m_source.mid(attrStart, i - attrStart).toLower();
        QString value;
        qsizetype j = i;
        while (j < n && IsSpace(m_source[j]))
            ++j;
        if (j < n && m_source[j] == u'=') {
            ++j;
            while (j < n && IsSpace(m_source[j]))
                ++j;
            if (j < n && (m_source[j] == u'"' || m_source[j] == u'\'')) {
                const QChar quote = m_source[j];
                qsizetype close = Find(QStringView(&quote, 1), j + 1);
                if (close >= 0) {
                    value = m_source.mid(j + 1, close - j - 1);
                    j = close + 1;
                } else {
                    // The quote never closes: the value runs to the end of the tag.
                    qsizetype gt = Find(u">", j + 1);
                    if (gt < 0)
                        gt = n;
                    value = m_source.mid(j + 1, gt - j - 1);
                    j = gt;
                }
            } else {
                const qsizetype valueStart = j;
                while (j < n && !IsSpace(m_source[j]) && m_source[j] != u'>')
                    ++j;
                value = m_source.mid(valueStart, j - valueStart);
            }
            i = j;
        }
        if (!end && token.attributes.size() < 256)
            token.attributes.append(
                {attrName, WithoutControls(THtmlEntities::Decode(value, true))});
    }
    m_pos = i;
    if (!end && IsRawTextElement(token.name, &m_rawDecode))
        m_rawEnd = token.name;
    return true;
}
