#pragma once
#include "browse/TStartUpOptions.h"
#include <QString>

// What the browsing window and the layout editor need of the host window. The host
// implements it; windows below the host reach it only through this.
class THostServices
{
public:
    virtual ~THostServices() = default;

    // A short text in the toolbar's page area while a long operation runs; pauses the
    // attract loop. "0" shows "Please Wait...".
    virtual void ShowProgressText(const QString& text) = 0;
    // Ends such a text: the advert comes back and the countdown restarts.
    virtual void ShowAdvertPage() = 0;
    // A short notice in the same place, for about two seconds; then the advert comes back
    // by itself. Nothing waits for it.
    virtual void ShowNotice(const QString& text) = 0;

    // The values read from the application ini file at start (paths resolved).
    virtual const TStartUpOptions& StartUpOptions() const = 0;
    // The number of colours of the screen, fixed at creation.
    virtual int NumColours() const = 0;

    // The logo: the writer page sets the field and reloads it.
    virtual void SetYourLogoHereBitmap(const QString& path) = 0;
    virtual bool LoadLogo() = 0;
    // The toolbar is disabled while the layout editor is open.
    virtual void SetTitlePanelEnabled(bool enabled) = 0;
};
