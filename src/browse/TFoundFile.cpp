#include "TFoundFile.h"
#include <QLocale>

TFoundFile::TFoundFile(const TDirEntry& findData, bool lowerCaseName, const QString& folder)
    : m_findData(findData), m_path(folder)
{
    if (lowerCaseName)
        m_findData.name = LowerCase(std::move(m_findData.name));
}

TFoundFile::TFoundFile(TDirEntry&& findData, bool lowerCaseName, const QString& folder)
    : m_findData(std::move(findData)), m_path(folder)
{
    if (lowerCaseName)
        m_findData.name = LowerCase(std::move(m_findData.name));
}

QString TFoundFile::LowerCase(QString text)
{
    const QLocale locale;
    // Most web names are plain ASCII: those need no trip through the locale's tables,
    // except where the locale lower-cases "I" to a dotless i.
    const QLocale::Language language = locale.language();
    if (language == QLocale::Turkish || language == QLocale::Azerbaijani)
        return locale.toLower(text);
    bool ascii = true;
    bool upper = false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80) {
            ascii = false;
            break;
        }
        if (u >= u'A' && u <= u'Z')
            upper = true;
    }
    if (ascii) {
        // A name handed over is changed where it lies: no second copy of it is made.
        if (upper)
            for (QChar& c : text)
                if (c >= u'A' && c <= u'Z')
                    c = QChar(c.unicode() + (u'a' - u'A'));
        return text;
    }
    return locale.toLower(text);
}
