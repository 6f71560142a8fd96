#pragma once
#include "state/TBitmapFileKey.h"
#include "state/TKXIniFile.h"
#include "state/TLookProperty.h"
#include "state/TSectionReader.h"
#include "state/TSectionWriter.h"
#include "state/TStateValue.h"
#include <algorithm>
#include <vector>

// Reading, writing and copying a control's look from its table of look properties.
template <class C>
class TLookSection
{
public:
    using TTable = std::vector<TLookProperty<C>>;

    // Every key in the table's order; stops at the first key that cannot be written.
    static bool Write(TKXIniFile& ini, const C& control, const TTable& table,
                      const QString& section)
    {
        TSectionWriter w(ini, section);
        for (const TLookProperty<C>& p : table) {
            bool written = false;
            switch (p.Kind) {
            case TLookKind::Number: written = w.Integer(p.Key, p.Get(control)); break;
            case TLookKind::Boolean: written = w.Boolean(p.Key, p.Get(control) != 0); break;
            case TLookKind::Text: written = w.Text(p.Key, p.GetText(control)); break;
            case TLookKind::File:
                written =
                    TBitmapFileKey::WriteBitmapFileKey(ini, p.GetText(control), section, p.Key);
                break;
            }
            if (!written)
                return false;
        }
        return true;
    }

    // Every key in the table's order, each value applied as read. A section the file does
    // not hold leaves the look as it is. Stops at the first strict key that is not a
    // number; the values before it stay applied.
    static bool Read(const TKXIniFile& ini, C& control, const TTable& table, const QString& section)
    {
        if (!ini.SectionExists(section))
            return true;
        const TSectionReader r(ini, section);
        for (const TLookProperty<C>& p : table) {
            switch (p.Kind) {
            case TLookKind::Number: {
                qint32 value = 0;
                if (p.Strict) {
                    if (!r.Strict(p.Key, &value))
                        return false;
                } else {
                    value = r.Lenient(p.Key);
                }
                p.Set(control, Usable(p, value));
                break;
            }
            case TLookKind::Boolean: p.Set(control, r.Boolean(p.Key) ? 1 : 0); break;
            case TLookKind::Text: p.SetText(control, r.Text(p.Key)); break;
            case TLookKind::File: ReadFile(ini, control, p, section); break;
            }
        }
        return true;
    }

    // Every property the table carries, exactly, from source to target.
    static void Copy(C& target, const C& source, const TTable& table)
    {
        for (const TLookProperty<C>& p : table) {
            if (!p.Copied)
                continue;
            if (p.Copy)
                p.Copy(target, source);
            else if (p.Kind == TLookKind::Text || p.Kind == TLookKind::File)
                p.SetText(target, p.GetText(source));
            else
                p.Set(target, p.Get(source));
        }
    }

    // The value in force of a number or boolean key, as the file would hold it.
    static qint32 Number(const C& control, const TTable& table, const QString& key)
    {
        const TLookProperty<C>* p = Find(table, key);
        return p && p->Get ? p->Get(control) : 0;
    }
    // Sets a number or boolean key as reading it from a file would: kept usable, then set
    // exactly. The editor's number fields go through here.
    static void SetNumber(C& control, const TTable& table, const QString& key, qint32 value)
    {
        if (const TLookProperty<C>* p = Find(table, key); p && p->Set)
            p->Set(control, Usable(*p, value));
    }

    static const TLookProperty<C>* Find(const TTable& table, const QString& key)
    {
        for (const TLookProperty<C>& p : table)
            if (p.Key.compare(key, Qt::CaseInsensitive) == 0)
                return &p;
        return nullptr;
    }

private:
    // An ordinal outside its enumeration names the first value; a size below the smallest
    // usable one is raised to it.
    static qint32 Usable(const TLookProperty<C>& p, qint32 value)
    {
        if (p.Last >= 0)
            value = TStateValue::Ordinal(value, p.Last);
        return std::max(p.Min, value);
    }

    // A missing or empty key loads nothing (unless the key says otherwise); "Empty" brings the built-in picture back.
    static void ReadFile(const TKXIniFile& ini, C& control, const TLookProperty<C>& p,
                         const QString& section)
    {
        const QString value = ini.ReadString(section, p.Key, QString());
        if (value.isEmpty()) {
            if (p.AbsentIsEmpty && !ini.ValueExists(section, p.Key))
                p.SetText(control, QString());
            return;
        }
        p.SetText(control, TBitmapFileKey::Resolve(value, ini.FileName()));
    }
};
