#pragma once
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

class TFileListBox;

// A directory list (ancestors, the current directory, its child directories) that picks
// pictures at random for the attract loop. It is never shown.
class TRandDirListBox
{
public:
    TRandDirListBox();

    // The linked file list, which follows the current directory.
    void SetFileList(TFileListBox* list) { m_fileList = list; }
    TFileListBox* FileList() const { return m_fileList; }

    // Makes directory current; the linked file list lists its files.
    void SetDirectory(const QString& directory);
    QString Directory() const { return m_directory; }
    // Full paths: the ancestors, the directory itself, then its child directories.
    const QStringList& Items() const { return m_items; }

    // A random file of the directory (or of a random child directory), "0" when there is
    // nothing to pick.
    QString PickRandomFile(const QString& directory, bool withSubdirectories);
    // A random child directory, made current; "0" when there is none after the random start.
    QString PickRandomSubdirectory();

    // Seeds the generator, so tests can repeat a sequence.
    void Seed(quint32 seed) { m_random.seed(seed); }
    // The colour the list box is constructed with (red, as 0x00BBGGRR).
    qint32 Color() const { return 0x0000FF; }

private:
    int Next(int bound);

    TFileListBox* m_fileList = nullptr;
    QString m_directory;
    QStringList m_items;
    QRandomGenerator m_random;
};
