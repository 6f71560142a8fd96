#pragma once
#include <QByteArray>
#include <QString>

// The private-profile service: the only code that reads or writes ini syntax.
//
// Reading follows the desktop convention the kits were written for: section and key
// names ignore case and surrounding blanks, the first of duplicate sections/keys wins,
// values lose surrounding blanks and one pair of matching quotes, and are cut to 1023
// characters. Writing changes only the bytes of the one key (or appends it), keeps
// everything else byte for byte, and replaces the file atomically. A write never
// creates a missing file: it reports false.
class TIniFile
{
public:
    static constexpr int MaxValueLength = 1023;

    explicit TIniFile(const QString& fileName);
    virtual ~TIniFile() = default;

    QString FileName() const { return m_fileName; }

    // The key's value, or def when the section or key is absent (or the file unreadable).
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // "0x"/"0X" prefix reads as hexadecimal; a value that is not a number gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Any value that reads as a nonzero integer is true; a non-number gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // False when the file does not exist or cannot be replaced; the old file then stays
    // byte for byte.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);

    // Parses an integer the way ReadInteger does; ok tells whether it was a number.
    static int ParseInteger(const QString& text, bool* ok);

private:
    QString m_fileName;
};
