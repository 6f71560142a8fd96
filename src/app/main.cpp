#include "TMDIHost.h"
#include "TZelmoraApplication.h"
#include "browse/TZMMain.h"
#include "platform/TFailureReport.h"
#include "platform/TLauncher.h"
#include "platform/TPath.h"
#include "platform/TSingleInstance.h"

// The entry sequence: the application object, the host window (the main window, which
// reads the ini file as it is created), the browsing window, then the message loop until
// the host closes. A kit already running is brought to the front instead, before this
// start reads any file of it.
int main(int argc, char** argv)
{
    TZelmoraApplication app(argc, argv);
    try {
        TSingleInstance instance(TPath::ProgramDirectory());
        if (!instance.Claim())
            return 0;
        TMDIHost host;
        TZMMain browser(&host);
        host.SetViewerWindow(&browser);
        instance.OnActivate = [&host] { host.BringToFront(); };
        host.show();
        const int exitCode = app.exec();
        TLauncher::EndProcessWithin(3000, exitCode);
        return exitCode;
    } catch (...) {
        TFailureReport::ShowCurrent();
        return 1;
    }
}
