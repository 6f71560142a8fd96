#pragma once
#include <QString>

struct THtmlToken;

// The numbers of an ordered list. The engine counts every list from 1, so a list that
// starts elsewhere is laid out as a bulletless list and its numbers are written as text,
// in the list's TYPE, with each item's VALUE honoured.
class TListNumbering
{
public:
    // An OL's TYPE as the engine knows it: "1", "a", "A", "i" or "I".
    static QString OrderedType(const THtmlToken& ol);
    // An OL's START; 1 when absent.
    static int StartValue(const THtmlToken& ol);
    // Whether the engine can number the list itself.
    static bool EngineNumbers(const THtmlToken& ol) { return StartValue(ol) == 1; }

    // Numbers the list as text from now on.
    void Start(const THtmlToken& ol);
    bool IsActive() const { return m_active; }
    // The text before an item's content ("4. "); VALUE sets the item's number.
    QString NextMarker(const THtmlToken& li);

    // A number written in a list TYPE: letters, roman numerals or digits.
    static QString Format(int n, const QString& type);

private:
    bool m_active = false;
    int m_counter = 0; // the last number used
    QString m_type;
};
