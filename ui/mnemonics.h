#pragma once
// The labels' Alt letters are underlined only while Alt is held, as desktops do by default:
// the windows keep their designed look, and a keyboard user who presses Alt sees which
// letter moves to which field.

class QApplication;

namespace quarnis {

// Wraps the application's style so that mnemonics are drawn only while Alt is down, and
// watches the Alt key application-wide. Call once after the application object exists.
void underlineMnemonicsOnAlt(QApplication& app);

} // namespace quarnis
