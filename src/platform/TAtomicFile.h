#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

// Writes a file so that its name only ever shows a complete content: the bytes go to a
// temporary file of this class's own naming in the same folder, are flushed to the disk,
// and only then take the name. A crash at any moment leaves the old file (or no file) and
// perhaps a temporary file; the next write into that folder removes the temporaries whose
// writers are gone (a live writer holds a lock on its temporary file).
class TAtomicFile
{
public:
    // The moments of a write, in order, for the test seam.
    enum class Stage { Created, HalfWritten, Written, Flushed, Named };
    // Called at each stage; false stops the write there as a crash would, cleaning nothing.
    using StageHook = std::function<bool(Stage)>;

    // Replaces the file (or creates it). A symbolic link keeps pointing at its file, which
    // is the one replaced. False on any failure, the old file then stays as it was.
    static bool Replace(const QString& path, const QByteArray& bytes);
    // Creates the file only when nothing has the name yet; false otherwise.
    static bool Create(const QString& path, const QByteArray& bytes);

    // Whether a file name is one of this class's temporary files.
    static bool IsTemporaryName(const QString& fileName);

    static void SetStageHook(StageHook hook); // an empty hook restores normal writing
};
