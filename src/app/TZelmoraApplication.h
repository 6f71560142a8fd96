#pragma once
#include <QApplication>

// The application object. A failure that escapes an event handler is shown to the user
// (TFailureReport) instead of ending the program.
class TZelmoraApplication : public QApplication
{
public:
    TZelmoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
