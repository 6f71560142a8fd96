#include "TZelmoraApplication.h"
#include "platform/EError.h"
#include "platform/TMessageBox.h"

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
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowUnknownException();
    }
    return false;
}

void TZelmoraApplication::ShowException(const std::exception& e)
{
    const auto* error = dynamic_cast<const EError*>(&e);
    TMessageBox::Show(error ? error->Message() : QString::fromLocal8Bit(e.what()),
                      QStringLiteral("Error"));
}

void TZelmoraApplication::ShowUnknownException()
{
    TMessageBox::Show(QStringLiteral("Unexpected error"), QStringLiteral("Error"));
}
