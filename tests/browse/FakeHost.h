#pragma once
#include "browse/THostServices.h"
#include <QStringList>

// A host that records what the browsing window and the editor ask of it.
class FakeHost : public THostServices
{
public:
    void ShowProgressText(const QString& text) override { Progress << text; }
    void ShowAdvertPage() override { ++AdvertPages; }
    void ShowNotice(const QString& text) override { Notices << text; }
    const TStartUpOptions& StartUpOptions() const override { return Options; }
    int NumColours() const override { return Colours; }
    void SetYourLogoHereBitmap(const QString& path) override { Options.YourLogoHereBitmap = path; }
    bool LoadLogo() override
    {
        ++LogoLoads;
        return LogoResult;
    }
    void SetTitlePanelEnabled(bool enabled) override { TitlePanelEnabled = enabled; }

    TStartUpOptions Options;
    int Colours = 16777216;
    QStringList Progress;
    QStringList Notices;
    int AdvertPages = 0;
    int LogoLoads = 0;
    bool LogoResult = true;
    bool TitlePanelEnabled = true;
};
