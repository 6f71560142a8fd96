#include "TMDIHost.h"
#include "TZelmoraApplication.h"
#include "browse/TZMMain.h"
#include "platform/TFailureReport.h"
#include "platform/TLauncher.h"

// The entry sequence: the application object, the host window (the main window, which
// reads the ini file as it is created), the browsing window, then the message loop until
// the host closes.
int main(int argc, char** argv)
{
    TZelmoraApplication app(argc, argv);
    try {
        TMDIHost host;
        TZMMain browser(&host);
        host.SetViewerWindow(&browser);
        host.show();
        const int exitCode = app.exec();
        TLauncher::EndProcessWithin(3000, exitCode);
        return exitCode;
    } catch (...) {
        TFailureReport::ShowCurrent();
        return 1;
    }
}
