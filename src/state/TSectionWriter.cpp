#include "state/TSectionWriter.h"

TSectionWriter::TSectionWriter(TKXIniFile& ini, const QString& section)
    : m_ini(ini), m_section(section)
{}

bool TSectionWriter::Integer(const QString& key, qint32 value)
{
    return m_ini.WriteString(m_section, key, QString::number(value));
}

bool TSectionWriter::Boolean(const QString& key, bool value)
{
    return m_ini.WriteString(m_section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TSectionWriter::Text(const QString& key, const QString& value)
{
    return m_ini.WriteString(m_section, key, value);
}
