#pragma once
// The host a browsing window needs, doing nothing: benchmarks time the window, not the host.
#include "browse/THostServices.h"
#include "browse/TStartUpOptions.h"

class BenchHost : public THostServices
{
public:
    void ShowProgressText(const QString&) override {}
    void ShowAdvertPage() override {}
    void ShowNotice(const QString&) override {}
    const TStartUpOptions& StartUpOptions() const override { return Options; }
    int NumColours() const override { return 16777216; }
    void SetYourLogoHereBitmap(const QString&) override {}
    bool LoadLogo() override { return true; }
    void SetTitlePanelEnabled(bool) override {}
    TStartUpOptions Options;
};
