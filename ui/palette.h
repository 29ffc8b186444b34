#pragma once
// The colours of every control, decided in one place. The windows fix their own background
// colours (maroon, teal, money green, olive, cream, light blue), so everything drawn on them
// must be fixed too: a dark desktop colour scheme would otherwise put white labels on light
// green and blue digits on dark grey buttons. Each window, message box and colour dialog
// carries this palette whatever the desktop's scheme says. Menus (and the memory choice's
// drop-down, which the style draws as a menu), tooltips and the file dialog lie on no fixed
// background and follow the desktop.

#include <QPalette>

class QWidget;

namespace quarnis {

// The light palette the windows are designed for: light grey faces, white fields, black
// texts, grey disabled texts and a blue selection. Every role of every colour group is set,
// so no colour of the application palette shows through.
QPalette fixedPalette();

// Gives `window` the fixed palette; its controls inherit it. A window it opens does not:
// each message box and dialog takes the palette itself.
void useFixedPalette(QWidget* window);

// The windows' own colours.
inline constexpr QColor kMaroon(128, 0, 0);
inline constexpr QColor kTeal(0, 128, 128);
inline constexpr QColor kOlive(128, 128, 0);
inline constexpr QColor kPurple(128, 0, 128);
inline constexpr QColor kBlue(0, 0, 255);
inline constexpr QColor kMoneyGreen(192, 220, 192);
inline constexpr QColor kSkyBlue(166, 202, 240);
inline constexpr QColor kPaleBlue(215, 228, 242);
inline constexpr QColor kCream(255, 251, 240);
inline constexpr QColor kLightYellow(255, 255, 225); // the tooltip background

} // namespace quarnis
