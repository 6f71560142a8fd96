#pragma once
#include "state/TKXIniFile.h"
#include <QString>

// Reads the keys of one section of a state file with the rules of TStateValue. A missing
// key reads as 0 (false for a boolean, an empty text for a name).
class TSectionReader
{
public:
    TSectionReader(const TKXIniFile& ini, const QString& section);

    const QString& Section() const { return m_section; }

    // False when the value is not a number; the value is then left alone.
    bool Strict(const QString& key, qint32* value) const;
    qint32 Lenient(const QString& key) const;
    bool Boolean(const QString& key) const;
    QString Text(const QString& key) const;
    bool Exists(const QString& key) const;

private:
    const TKXIniFile& m_ini;
    QString m_section;
};
