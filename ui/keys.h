#pragma once
// A key of the program's own on one control, seen before the control handles it.

#include <QKeySequence>

#include <functional>

class QWidget;

namespace quarnis {

// Runs `handler` when `key` is pressed while `control` has the focus, before the control's
// own handling. The handler returns whether it took the key; false leaves the key to the
// control, as if nothing had looked at it.
void onKeyPress(QWidget* control, QKeySequence::StandardKey key, std::function<bool()> handler);
void onKeyPress(QWidget* control, const QKeySequence& key, std::function<bool()> handler);

// A comma typed into `control` arrives there as a full stop, in its place: the numbers it takes
// are written with "." whatever the keyboard's decimal key gives. Pasted text, and text the
// program sets, stays as it is.
void typeCommaAsFullStop(QWidget* control);

// The menu keys, the Menu key and Shift+F10, run `open` while `control` has the focus.
void onMenuKeys(QWidget* control, const std::function<void()>& open);

// The menu keys ask a control with a custom context menu for it, at its centre.
void onMenuKeysRequestMenu(QWidget* control);

} // namespace quarnis
