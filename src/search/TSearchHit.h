#pragma once
#include <QList>
#include <QMetaType>
#include <QString>

// One document a search found. The passage marks each matched word between
// TSearchHit::MarkStart and TSearchHit::MarkEnd (characters no document text holds).
struct TSearchHit
{
    static constexpr QChar MarkStart = QChar(0x01);
    static constexpr QChar MarkEnd = QChar(0x02);

    QString folder; // relative to the web, "/"-separated, ending in "/"; "" for the web itself
    QString name;
    QString title;
    QString passage;

    QString Path() const { return folder + name; }
};

using TSearchHits = QList<TSearchHit>;
Q_DECLARE_METATYPE(TSearchHits)
