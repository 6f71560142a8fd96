#pragma once
#include <QRect>

// The screen as the program measures it. Tests pretend other colour depths.
class TScreen
{
public:
    // Colour planes x bits per pixel of the primary screen.
    static int Depth();
    static void SetDepthOverride(int bits); // 0 measures the real screen again
    static QRect Geometry();                // the primary screen's full rectangle
    static QRect AvailableGeometry();       // less the desktop's panels
};
