#include "palette.h"

#include <QWidget>

namespace quarnis {

namespace {

    struct RoleColors {
        QPalette::ColorRole role;
        QRgb active, disabled, inactive;
    };

    // Light grey faces (239), white fields, black texts; disabled texts grey (190).
    constexpr RoleColors kRoles[] = {
        { QPalette::WindowText, 0xff000000, 0xffbebebe, 0xff000000 },
        { QPalette::Button, 0xffefefef, 0xffefefef, 0xffefefef },
        { QPalette::Light, 0xffffffff, 0xffffffff, 0xffffffff },
        { QPalette::Midlight, 0xffcacaca, 0xffcacaca, 0xffcacaca },
        { QPalette::Dark, 0xff9f9f9f, 0xffbebebe, 0xff9f9f9f },
        { QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8, 0xffb8b8b8 },
        { QPalette::Text, 0xff000000, 0xffbebebe, 0xff000000 },
        { QPalette::BrightText, 0xffffffff, 0xffffffff, 0xffffffff },
        { QPalette::ButtonText, 0xff000000, 0xffbebebe, 0xff000000 },
        { QPalette::Base, 0xffffffff, 0xffefefef, 0xffffffff },
        { QPalette::Window, 0xffefefef, 0xffefefef, 0xffefefef },
        { QPalette::Shadow, 0xff767676, 0xffb1b1b1, 0xff767676 },
        { QPalette::Highlight, 0xff308cc6, 0xff919191, 0xff308cc6 },
        { QPalette::HighlightedText, 0xffffffff, 0xffffffff, 0xffffffff },
        { QPalette::Link, 0xff0000ff, 0xff0000ff, 0xff0000ff },
        { QPalette::LinkVisited, 0xffff00ff, 0xffff00ff, 0xffff00ff },
        { QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7, 0xfff7f7f7 },
        { QPalette::NoRole, 0xff000000, 0xff000000, 0xff000000 },
        { QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc, 0xffffffdc },
        { QPalette::ToolTipText, 0xff000000, 0xff000000, 0xff000000 },
        { QPalette::PlaceholderText, 0x80000000, 0x80000000, 0x80000000 },
    };

} // namespace

QPalette fixedPalette()
{
    QPalette palette;
    for (const RoleColors& r : kRoles) {
        palette.setColor(QPalette::Active, r.role, QColor::fromRgba(r.active));
        palette.setColor(QPalette::Disabled, r.role, QColor::fromRgba(r.disabled));
        palette.setColor(QPalette::Inactive, r.role, QColor::fromRgba(r.inactive));
    }
    return palette;
}

void useFixedPalette(QWidget* window) { window->setPalette(fixedPalette()); }

} // namespace quarnis
