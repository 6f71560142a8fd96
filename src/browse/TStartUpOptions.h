#pragma once
#include <QString>

// What the application ini file fixes for a run. Path fields hold "0" when not set.
struct TStartUpOptions
{
    QString StateFileName = QStringLiteral("0");
    QString StartUpWeb = QStringLiteral("0");
    QString AdvertsFolder = QStringLiteral("0");
    QString IntroductionFile = QStringLiteral("0");
    QString YourLogoHereBitmap = QStringLiteral("0");
    int StartUpMode = 0;      // 0 Edit, 1 Display, 2 Reader
    bool RuntimeLock = false; // kxItem2
    bool ColourWarning = true;
};
