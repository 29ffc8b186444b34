#pragma once
// The fonts of the calculator and information windows. Each font asks for its own family
// first and falls back to the closest font that Debian packages:
//   Tahoma               -> the Tahoma-compatible font of fonts-wine, registered from its file
//                           because fontconfig does not index /usr/share/wine/fonts
//   Trebuchet MS         -> Open Sans (fonts-open-sans): a humanist sans with a bold italic
//   Verdana              -> DejaVu Sans (fonts-dejavu-core): the same wide, open letter shapes
//   Arial Rounded MT Bold-> Quicksand Bold (fonts-quicksand): rounded stroke ends
//   Tunga                -> Liberation Sans (fonts-liberation2): Tunga's plain Latin letters

#include <QFont>

namespace quarnis {

// Registers the fonts that fontconfig does not find by itself; call once after the
// application object exists. Idempotent.
void loadApplicationFonts();

QFont windowFont(); // Tahoma 11 px
QFont keypadFont(); // Tahoma 11 px bold (drawn blue)
QFont functionFont(); // Trebuchet MS 11 px bold italic
QFont largeFont(); // Arial Rounded MT Bold 19 px
QFont memoFont(); // Tunga 16 px
QFont resultFont(); // Verdana 16 px bold (drawn purple)
QFont aboutFont(); // Tahoma 13 px bold (drawn green)

} // namespace quarnis
