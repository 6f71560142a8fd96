#include "html/TFrameDocuments.h"
#include "html/TFrameSetInfo.h"
#include "html/THtmlFrame.h"
#include "html/THtmlPageLoader.h"
#include "html/THtmlPath.h"
#include "platform/EError.h"
#include "platform/TPath.h"

void TFrameDocuments::Read(const TFrameSetInfo& info, const QString& baseFile,
                           const QStringList& enclosing, int depth, int* budget,
                           const THtmlSettings& settings, QThread* gui)
{
    for (const TFrameInfo& f : info.frames) {
        if (f.frameSet)
            Read(*f.frameSet, baseFile, enclosing, depth, budget, settings, gui);
        else
            ReadFrame(f.src, baseFile, enclosing, depth, budget, settings, gui);
    }
}

void TFrameDocuments::ReadFrame(const QString& src, const QString& baseFile,
                                const QStringList& enclosing, int depth, int* budget,
                                const THtmlSettings& settings, QThread* gui)
{
    // The same checks, in the same order, as the frame makes when it is shown.
    QString file, destination;
    THtmlPath::SplitDestination(THtmlPath::Expand(src, baseFile), &file, &destination);
    if (src.trimmed().isEmpty() || --*budget < 0 || !TPath::FileExists(file))
        return;
    const QString path = THtmlPath::Resolved(file);
    if (enclosing.contains(path))
        return;
    TRead read;
    try {
        read.page = THtmlPageLoader::Load(path, file, settings);
    } catch (const EError&) {
        return; // the frame reads it again and shows why it cannot
    }
    if (read.page.frameSet) {
        if (depth + 1 < THtmlFrame::kMaxDepth)
            Read(*read.page.frameSet, path, enclosing + QStringList{path}, depth + 1, budget,
                 settings, gui);
    } else {
        read.built.reset(THtmlDocument::Build(read.page, settings));
        read.page.html.clear();
        read.built->moveToThread(gui);
    }
    m_read.emplace(path, std::move(read));
}

bool TFrameDocuments::Take(const QString& path, THtmlPage* page,
                           std::unique_ptr<THtmlDocument>* built)
{
    auto it = m_read.find(path);
    if (it == m_read.end())
        return false;
    *page = std::move(it->second.page);
    *built = std::move(it->second.built);
    m_read.erase(it);
    return true;
}
