#pragma once
#include <QColor>
#include <QtGlobal>

// Colours as the design stores them: 32-bit numbers 0x00BBGGRR, and numbers with the top
// bit set naming a system colour (index in the low byte), mapped to the application
// palette.
namespace TSysColour {
constexpr qint32 Make(int index) { return qint32(0x80000000u | quint32(index)); }
constexpr qint32 clWindow = Make(5);
constexpr qint32 clWindowText = Make(8);
constexpr qint32 clHighlight = Make(13);
constexpr qint32 clHighlightText = Make(14);
constexpr qint32 clBtnFace = Make(15); // -2147483633
constexpr qint32 clBtnShadow = Make(16);
constexpr qint32 clBtnText = Make(18);
constexpr qint32 clBtnHighlight = Make(20);
} // namespace TSysColour

namespace TColours {
constexpr qint32 clBlack = 0x000000;
constexpr qint32 clMaroon = 0x000080;
constexpr qint32 clNavy = 0x800000;   // 8388608
constexpr qint32 clRed = 0x0000FF;    // 255
constexpr qint32 clBlue = 0xFF0000;   // 16711680
constexpr qint32 clSilver = 0xC0C0C0; // 12632256
constexpr qint32 clWhite = 0xFFFFFF;  // 16777215
} // namespace TColours

class TColorRef
{
public:
    static bool IsSystem(qint32 colour) { return (quint32(colour) & 0x80000000u) != 0; }
    // RGB for a colour number; system colours through the application palette.
    static QColor ToQColor(qint32 colour);
    static QRgb ToRgb(qint32 colour) { return ToQColor(colour).rgb(); }
    // The colour number 0x00BBGGRR of an RGB colour.
    static qint32 FromQColor(const QColor& colour);
};
