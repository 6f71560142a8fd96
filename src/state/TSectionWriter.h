#pragma once
#include "state/TKXIniFile.h"
#include <QString>

// Writes the keys of one section of a state file. Each call returns whether its key was
// written, so a writer can stop at the first key that fails.
class TSectionWriter
{
public:
    TSectionWriter(TKXIniFile& ini, const QString& section);

    const QString& Section() const { return m_section; }

    bool Integer(const QString& key, qint32 value); // also colours and ordinals
    bool Boolean(const QString& key, bool value);   // "1" or "0"
    bool Text(const QString& key, const QString& value);

private:
    TKXIniFile& m_ini;
    QString m_section;
};
