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
    // Kiosk: seconds without input before the display returns to its start (0 never), and
    // whether links may start programs or hand files to the media player.
    int IdleReset = 0;
    bool AllowPrograms = true;
    bool AllowMedia = true;
};
