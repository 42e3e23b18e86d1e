#include "ui/widgets/bgr_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The system colours the program's descriptors use, by their index.
QPalette::ColorRole systemRole(uint32_t index)
{
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 8: return QPalette::WindowText;       // window text
    case 13: return QPalette::Highlight;       // selected item
    case 14: return QPalette::HighlightedText; // selected item text
    case 15: return QPalette::Button;          // button face
    case 18: return QPalette::ButtonText;      // button text
    default: return QPalette::Window;
    }
}

} // namespace

QColor ColorFromBGR(uint32_t color)
{
    if ((color & 0xFF000000u) == 0x80000000u)
        return QGuiApplication::palette().color(systemRole(color & 0xFFu));
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}
