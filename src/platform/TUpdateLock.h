#pragma once
#include <QPointer>
#include <QWidget>

// Suspends repainting of one window for the guard's lifetime and restores the previous
// state afterwards, also when the guarded work throws. "The whole desktop" is the host
// window, registered once with SetDesktopWindow.
class TUpdateLock
{
public:
    explicit TUpdateLock(QWidget* window);
    ~TUpdateLock();
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

    // Releases early (the destructor then does nothing).
    void Release();

    static void SetDesktopWindow(QWidget* window);
    static QWidget* DesktopWindow();

private:
    QPointer<QWidget> m_window;
    bool m_wasEnabled = true;
    bool m_active = false;
};

// Locks the whole desktop (the host window).
class TDesktopUpdateLock : public TUpdateLock
{
public:
    TDesktopUpdateLock() : TUpdateLock(DesktopWindow()) {}
};
