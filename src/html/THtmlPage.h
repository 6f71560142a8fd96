#pragma once
#include "html/TFrameSetInfo.h"
#include "html/THtmlLink.h"
#include "html/THtmlObjectInfo.h"
#include "html/TImageMap.h"
#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A document as the rewriter leaves it: markup the rich-text engine lays out, plus what
// that engine would lose (anchor names, link targets, pictures, maps, controls, frames).
// In the markup, named anchors are "zan0" and "zan1" in turn (their order tells which is
// which), links "zlk:<index>" and objects images "zel:<index>", indexes into the lists
// below.
struct THtmlPage
{
    QString html;
    QString title;
    QStringList anchors; // names of the named anchors in document order
    std::vector<THtmlLink> links;
    std::vector<THtmlObjectInfo> objects;
    QHash<QString, TImageMap> maps;          // by lower-case name
    std::shared_ptr<TFrameSetInfo> frameSet; // set for a frame-set document
    QColor background;                       // BODY colours; invalid when not given
    QColor text;
    QColor link;
    QString backgroundImage; // BODY BACKGROUND as written
    QString baseTarget;      // BASE TARGET
    QString styleSheet;      // the rules of the page's style sheets, in the page's order
    int formCount = 0;
    bool isImage = false;   // a picture shown as a document of its own
    bool shortened = false; // only the beginning is shown, and a note says so
};
