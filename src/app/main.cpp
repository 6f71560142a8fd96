#include "TMDIHost.h"
#include "TZelmoraApplication.h"
#include "browse/TZMMain.h"

// The entry sequence: the application object, the host window (the main window, which
// reads the ini file as it is created), the browsing window, then the message loop until
// the host closes.
int main(int argc, char** argv)
{
    TZelmoraApplication app(argc, argv);
    int result = 0;
    try {
        TMDIHost host;
        TZMMain browser(&host);
        host.SetViewerWindow(&browser);
        host.show();
        result = app.exec();
    } catch (const std::exception& e) {
        TZelmoraApplication::ShowException(e);
        result = 1;
    } catch (...) {
        TZelmoraApplication::ShowUnknownException();
        result = 1;
    }
    return result;
}
