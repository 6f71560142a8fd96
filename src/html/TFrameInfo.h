#pragma once
#include <QString>
#include <memory>

struct TFrameSetInfo;

// One cell of a frame set: a FRAME, or a FRAMESET nested in the same document.
struct TFrameInfo
{
    QString src; // as written
    QString name;
    QString scrolling; // "yes", "no" or "auto" (lower case)
    bool noResize = false;
    int marginWidth = -1;
    int marginHeight = -1;
    std::shared_ptr<TFrameSetInfo> frameSet; // set for a nested frame set
};
