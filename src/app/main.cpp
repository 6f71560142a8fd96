#include "TMDIHost.h"
#include "TZelmoraApplication.h"
#include "browse/TZMMain.h"
#include "platform/TFailureReport.h"

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
        return app.exec();
    } catch (...) {
        TFailureReport::ShowCurrent();
        return 1;
    }
}
