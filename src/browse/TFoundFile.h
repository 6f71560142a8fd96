#pragma once
#include "platform/TDirEntry.h"
#include <QString>
#include <QtGlobal>

// One matched directory entry, handed by the web scanner to exactly one receiver, which
// owns it from then on.
class TFoundFile
{
public:
    // The entry is copied; with lowerCaseName its name is lower-cased (locale-aware), the
    // folder is kept exactly as the scanner was given it.
    TFoundFile(const TDirEntry& findData, bool lowerCaseName, const QString& folder);
    TFoundFile(TDirEntry&& findData, bool lowerCaseName, const QString& folder);

    const TDirEntry& FindData() const { return m_findData; }
    const QString& FileName() const { return m_findData.name; }
    bool IsDirectory() const { return m_findData.isDirectory; }
    qint64 Size() const { return m_findData.size; }
    quint32 SizeHigh() const { return quint32(quint64(m_findData.size) >> 32); }
    quint32 SizeLow() const { return quint32(quint64(m_findData.size) & 0xFFFFFFFFu); }

    // The folder being scanned when the entry was found (for a listed sub-folder: the
    // sub-folder itself); never changed.
    const QString& Path() const { return m_path; }

    // A text handed over (moved) is lower-cased where it lies.
    static QString LowerCase(QString text);

private:
    TDirEntry m_findData;
    QString m_path;
};
