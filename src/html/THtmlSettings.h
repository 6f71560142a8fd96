#pragma once
#include "components/outline/TGridTypes.h"
#include "platform/TColorRef.h"
#include <QString>

// The view's published look, shared by every frame it shows.
struct THtmlSettings
{
    qint32 defBackground = TSysColour::clBtnFace;
    QString defFontName = QStringLiteral("Times New Roman");
    QString defPreFontName = QStringLiteral("Courier New");
    int defFontSize = 12;
    qint32 defFontColor = TSysColour::clBtnText;
    qint32 defHotSpotColor = TColours::clBlue;
    bool viewImages = true;
    bool noSelect = false;
    TScrollStyle scrollBars = ssBoth;
};
