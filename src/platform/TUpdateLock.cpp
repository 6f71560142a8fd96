#include "TUpdateLock.h"

namespace {
QPointer<QWidget> g_desktop;
}

TUpdateLock::TUpdateLock(QWidget* window) : m_window(window)
{
    if (m_window) {
        // Only an explicit lock of this window is kept: one inherited from a locked parent
        // must not be made explicit here, or the window would stay frozen after the
        // parent's lock ends.
        m_wasEnabled = !m_window->testAttribute(Qt::WA_ForceUpdatesDisabled);
        m_window->setUpdatesEnabled(false);
        m_active = true;
    }
}

TUpdateLock::~TUpdateLock() { Release(); }

void TUpdateLock::Release()
{
    if (m_active && m_window)
        m_window->setUpdatesEnabled(m_wasEnabled);
    m_active = false;
}

void TUpdateLock::SetDesktopWindow(QWidget* window) { g_desktop = window; }

QWidget* TUpdateLock::DesktopWindow() { return g_desktop.data(); }
