#pragma once
#include <functional>

class QWidget;

// Runs a long piece of work (reading and building a big page) on a thread of its own while
// the user-interface thread waits for it. Meanwhile the windows repaint, resize, show the
// hourglass and fire their timers, but take no input: nothing the reader does starts a
// second load on top of the first. A timer may still ask for one; it runs nested, and the
// caller finds out through its own bookkeeping which result is the latest.
//
// A window asked to go meanwhile (deleteLater on the watched widget or any object around
// it) goes once the wait is over, so the caller returns to objects that are still there. A
// request to end the program takes effect when the main loop gets control back.
class THtmlLoadWait
{
public:
    // Runs work to its end on a worker thread; what work throws is thrown here.
    static void Run(const std::function<void()>& work, QWidget* watched);
};
