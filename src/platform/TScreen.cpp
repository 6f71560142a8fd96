#include "TScreen.h"
#include <QGuiApplication>
#include <QScreen>

namespace {
int g_depthOverride = 0;
}

int TScreen::Depth()
{
    if (g_depthOverride > 0)
        return g_depthOverride;
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return s->depth();
    return 32;
}

void TScreen::SetDepthOverride(int bits) { g_depthOverride = bits; }

QRect TScreen::Geometry()
{
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}

QRect TScreen::AvailableGeometry()
{
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}
