#pragma once
#include "platform/TNotSet.h"
#include <QString>

// What the application ini file fixes for a run. Path fields hold TNotSet::Value() ("0")
// when not set.
struct TStartUpOptions
{
    QString StateFileName = TNotSet::Value();
    QString StartUpWeb = TNotSet::Value();
    QString AdvertsFolder = TNotSet::Value();
    QString IntroductionFile = TNotSet::Value();
    QString YourLogoHereBitmap = TNotSet::Value();
    int StartUpMode = 0;      // 0 Edit, 1 Display, 2 Reader
    bool RuntimeLock = false; // kxItem2
    bool ColourWarning = true;
};
