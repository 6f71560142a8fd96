#include "TMDIHost.h"
#include "TZelmoraApplication.h"
#include "browse/TAppIniFile.h"
#include "browse/TFolderTests.h"
#include "browse/TZMMain.h"
#include "platform/TFailureReport.h"
#include "platform/TLauncher.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include "platform/TSingleInstance.h"
#include "search/TWebIndexer.h"
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

namespace {

// "zelmora --index [folder]": writes the search index beside a web (the folder given, else
// the web the ini file names, else the program's folder), so a kit on a read-only disc
// searches without building one. No window is opened.
int WriteIndex(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString web;
    if (argc > 2) {
        web = QString::fromLocal8Bit(argv[2]);
    } else {
        TStartUpOptions options;
        if (TAppIniFile::ReadIniFile(options))
            TAppIniFile::ResolvePaths(options);
        web = !TNotSet::Is(options.StartUpWeb) && WebFolderExists(options.StartUpWeb)
                  ? options.StartUpWeb
                  : TPath::ProgramDirectory();
    }
    web = TPath::WithTrailingSeparator(web);
    QString error;
    if (!TWebIndexer::WriteReadyIndex(web, &error)) {
        std::fprintf(stderr, "zelmora: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("zelmora: wrote %s\n", qPrintable(web + TWebIndexer::ReadyIndexName));
    return 0;
}

} // namespace

// The entry sequence: the application object, the host window (the main window, which
// reads the ini file as it is created), the browsing window, then the message loop until
// the host closes. A kit already running is brought to the front instead, before this
// start reads any file of it.
int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--index") == 0)
        return WriteIndex(argc, argv);
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
