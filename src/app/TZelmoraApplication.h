#pragma once
#include <QApplication>

// The application object. A failure that escapes an event handler reaches the
// application's default error display (a message box) instead of ending the program.
class TZelmoraApplication : public QApplication
{
public:
    TZelmoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows a failure that reached the application.
    static void ShowException(const std::exception& e);
    // The same for a failure that carries no text.
    static void ShowUnknownException();
};
