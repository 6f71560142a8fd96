#pragma once
#include <exception>

// Tells the user about a failure nothing closer to it handled: a message box with the
// failure's own message (as written for the program's own failures) and the caption
// "Error"; "Unexpected error" for a failure that carries no text.
class TFailureReport
{
public:
    static void Show(const std::exception& failure);
    static void Show(const std::exception_ptr& failure);
    // The failure being handled; for use inside a catch block.
    static void ShowCurrent() { Show(std::current_exception()); }
};
