#include "TZelmoraApplication.h"
#include "platform/TFailureReport.h"

TZelmoraApplication::TZelmoraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zelmora"));
    setOrganizationName(QStringLiteral("Zelmora"));
    setApplicationVersion(QStringLiteral("1.0"));
}

bool TZelmoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        TFailureReport::ShowCurrent();
        return false;
    }
}
