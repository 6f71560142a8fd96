#pragma once
#include "html/THtmlDocument.h"
#include "html/THtmlPage.h"
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class QThread;
struct TFrameSetInfo;
struct THtmlSettings;

// The documents of a frame set's frames (and of the frame sets inside them), read and
// built on the load's worker thread, so that showing the frame set on the window's thread
// reads nothing more: a frame holding a big document no longer stops the window. What
// cannot be read here is left to the frame, which shows the failure as before.
class TFrameDocuments
{
public:
    // Reads the frames of the frame set document baseFile, at frame-set depth `depth`,
    // within the documents `enclosing` (a frame showing one of them stays empty), at most
    // *budget documents. Runs on the worker; the documents are handed to thread `gui`.
    void Read(const TFrameSetInfo& info, const QString& baseFile, const QStringList& enclosing,
              int depth, int* budget, const THtmlSettings& settings, QThread* gui);

    // The page read for path, handed over once; false when it was not read.
    bool Take(const QString& path, THtmlPage* page, std::unique_ptr<THtmlDocument>* built);
    void Clear() { m_read.clear(); }
    bool Empty() const { return m_read.empty(); }

private:
    struct TRead
    {
        THtmlPage page;
        std::unique_ptr<THtmlDocument> built; // none for a frame set document
    };
    void ReadFrame(const QString& src, const QString& baseFile, const QStringList& enclosing,
                   int depth, int* budget, const THtmlSettings& settings, QThread* gui);

    std::multimap<QString, TRead> m_read;
};
