#pragma once
#include <QString>
#include <QStringList>

// The invisible file list linked to the adverts' directory list: the names of the files
// of one directory that match a mask, in the enumeration's order.
class TFileListBox
{
public:
    QString Mask = QStringLiteral("*.bmp");

    void SetDirectory(const QString& directory);
    QString Directory() const { return m_directory; }
    const QStringList& Items() const { return m_items; }

private:
    QString m_directory;
    QStringList m_items;
};
