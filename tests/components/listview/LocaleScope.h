#pragma once
#include <QLocale>

// A test picks its own locale and puts the previous one back.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) : m_previous(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};
