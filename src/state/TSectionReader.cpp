#include "state/TSectionReader.h"
#include "state/TStateValue.h"

TSectionReader::TSectionReader(const TKXIniFile& ini, const QString& section)
    : m_ini(ini), m_section(section)
{}

bool TSectionReader::Strict(const QString& key, qint32* value) const
{
    return TStateValue::ParseNumber(m_ini.ReadString(m_section, key, QStringLiteral("0")), value);
}

qint32 TSectionReader::Lenient(const QString& key) const
{
    return TStateValue::Lenient(m_ini.ReadString(m_section, key, QStringLiteral("0")));
}

bool TSectionReader::Boolean(const QString& key) const
{
    return TStateValue::Boolean(m_ini.ReadString(m_section, key, QStringLiteral("0")));
}

QString TSectionReader::Text(const QString& key) const
{
    return m_ini.ReadString(m_section, key, QString());
}

bool TSectionReader::Exists(const QString& key) const { return m_ini.ValueExists(m_section, key); }
