#pragma once
#include "html/TFrameSetInfo.h"
#include "html/THtmlTagTable.h"
#include <memory>
#include <vector>

class THtmlRewriteContext;
struct THtmlToken;

// A frame-set document: the outermost FRAMESET becomes the page's frame set, nested ones
// and FRAMEs its cells in document order. Nesting and the number of frames are bounded;
// what lies beyond is read and dropped.
class TFrameSetCollector
{
public:
    explicit TFrameSetCollector(THtmlRewriteContext& context);

    // A FRAMESET in the body: it makes the document a frame set only before any content.
    void StartInBody(const THtmlToken& t);
    // Tags inside a frame set: nested FRAMESETs and FRAMEs count, nothing else does.
    void StartInside(TTagKind kind, const THtmlToken& t);
    void EndInside(TTagKind kind);

private:
    void OpenFrameSet(const THtmlToken& t);
    void AddFrame(const THtmlToken& t);

    THtmlRewriteContext& m_context;
    std::vector<std::shared_ptr<TFrameSetInfo>> m_open; // null: read, but nothing is kept
    int m_frames = 0;
};
