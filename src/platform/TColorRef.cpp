#include "TColorRef.h"
#include <QGuiApplication>
#include <QPalette>

namespace {

struct TPaletteEntry
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop's system colour indexes and the palette role that plays the same part.
TPaletteEntry EntryFor(int index)
{
    using P = QPalette;
    switch (index) {
    case 0: return {P::Active, P::Button};          // scroll bar
    case 1: return {P::Active, P::Window};          // desktop background
    case 2: return {P::Active, P::Highlight};       // active caption
    case 3: return {P::Active, P::Mid};             // inactive caption
    case 4: return {P::Active, P::Window};          // menu
    case 5: return {P::Active, P::Base};            // window
    case 6: return {P::Active, P::Shadow};          // window frame
    case 7: return {P::Active, P::WindowText};      // menu text
    case 8: return {P::Active, P::Text};            // window text
    case 9: return {P::Active, P::HighlightedText}; // caption text
    case 10: return {P::Active, P::Button};         // active border
    case 11: return {P::Active, P::Button};         // inactive border
    case 12: return {P::Active, P::Mid};            // application workspace
    case 13: return {P::Active, P::Highlight};
    case 14: return {P::Active, P::HighlightedText};
    case 15: return {P::Active, P::Button}; // button face
    case 16: return {P::Active, P::Dark};   // button shadow
    case 17: return {P::Disabled, P::Text}; // grey text
    case 18: return {P::Active, P::ButtonText};
    case 19: return {P::Inactive, P::WindowText}; // inactive caption text
    case 20: return {P::Active, P::Light};        // button highlight
    case 21: return {P::Active, P::Shadow};       // 3-D dark shadow
    case 22: return {P::Active, P::Midlight};     // 3-D light
    case 23: return {P::Active, P::ToolTipText};  // info text
    case 24: return {P::Active, P::ToolTipBase};  // info background
    case 26: return {P::Active, P::Link};         // hot-tracked item
    case 27: return {P::Active, P::Highlight};    // active caption gradient
    case 28: return {P::Active, P::Mid};          // inactive caption gradient
    case 29: return {P::Active, P::Highlight};    // menu highlight
    case 30: return {P::Active, P::Window};       // menu bar
    default: return {P::Active, P::Window};
    }
}

} // namespace

QColor TColorRef::ToQColor(qint32 colour)
{
    if (IsSystem(colour)) {
        const TPaletteEntry e = EntryFor(int(quint32(colour) & 0xFFu));
        const QPalette palette = qGuiApp ? QGuiApplication::palette() : QPalette();
        QColor c = palette.color(e.group, e.role);
        c.setAlpha(255);
        return c;
    }
    const quint32 v = quint32(colour);
    return QColor(int(v & 0xFFu), int((v >> 8) & 0xFFu), int((v >> 16) & 0xFFu));
}

qint32 TColorRef::FromQColor(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}
