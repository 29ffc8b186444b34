#pragma once
// Waiting for a window to become the active one, on every platform the window tests run on.

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace quarnis {

// Shows nothing; waits until `window` is mapped and is the active window. Under Wayland a
// client cannot activate a window itself: the compositor activates a newly mapped window
// shortly after it is exposed, and QTest::qWaitForWindowActive there only waits for the
// exposure (with a warning), so a test would go on before its window has the keyboard focus.
// The application's active window, not QWidget::isActiveWindow(): Qt's Wayland plugin calls
// the window active as soon as the compositor says so, before the application has moved its
// focus there.
inline bool waitForActiveWindow(QWidget* window, int timeoutMs = 5000)
{
    return QTest::qWaitForWindowExposed(window, timeoutMs)
        && QTest::qWaitFor(
            [window] { return QApplication::activeWindow() == window->window(); }, timeoutMs);
}

// After a popup menu was closed: waits until `window` (or, without one, any window of the
// program) is the active window again. Under Wayland a menu opened without an input event from
// the compositor (as the tests open them, by sending events inside the program) is a window of
// its own, which the compositor activates; the activation comes back only some time after the
// menu closed. The round trip to the window system first lets the menu's activation arrive.
// Offscreen no window system gives the activation back at all: there is nothing to wait for.
inline bool waitUntilActiveAgain(QWidget* window = nullptr, int timeoutMs = 5000)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return false;
    QGuiApplication::sync();
    return QTest::qWaitFor(
        [window] {
            QWidget* active = QApplication::activeWindow();
            return window ? active == window->window() : active != nullptr;
        },
        timeoutMs);
}

// False under Wayland: there a program cannot activate one of its windows by itself (only
// with a token from the compositor, where it offers one), so the keyboard focus stays where the
// user put it.
inline bool programActivatesItsWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace quarnis
