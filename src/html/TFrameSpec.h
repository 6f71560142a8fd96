#pragma once
#include <QString>
#include <memory>

struct TFrameSetSpec;

// One cell of a frame set: a FRAME, or a FRAMESET nested in the same document.
struct TFrameSpec
{
    QString src;        // as written
    QString name;
    QString scrolling;  // "yes", "no" or "auto" (lower case)
    bool noResize = false;
    int marginWidth = -1;
    int marginHeight = -1;
    std::shared_ptr<TFrameSetSpec> frameSet; // set for a nested frame set
};
