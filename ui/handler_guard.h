#pragma once
// The general error box: a runtime error that a handler does not catch ends that handler at
// the failing step and is shown here; the program goes on. Handlers run their bodies
// through runGuarded, so no handler has a try/catch of its own. The box is opened through the
// window's Dialogs, handed along with the window.

#include <QObject>
#include <QString>

#include <exception>
#include <utility>

class QWidget;

namespace quarnis {

class Dialogs;

// The box's text: the error's text, with "." appended when its last character's code is
// greater than that of "." ("Floating point overflow" -> "Floating point overflow.").
QString errorBoxText(const QString& errorText);

// Shows the general error box for e: the application title as caption, a stop icon, OK.
void showErrorBox(Dialogs& dialogs, QWidget* parent, const std::exception& e);

// Runs fn; a std::exception escaping it is shown in the general error box.
template <class Fn> void runGuarded(Dialogs& dialogs, QWidget* parent, Fn&& fn)
{
    try {
        std::forward<Fn>(fn)();
    } catch (const std::exception& e) {
        showErrorBox(dialogs, parent, e);
    }
}

// Connects `signal` to `handler`, a member of the window `receiver` that takes the signal's
// arguments or fewer, run through runGuarded with `dialogs`.
template <class Sender, class Signal, class Receiver, class... Args>
void connectGuarded(Dialogs& dialogs, Sender* sender, Signal signal, Receiver* receiver,
    void (Receiver::*handler)(Args...))
{
    QObject::connect(sender, signal, receiver, [&dialogs, receiver, handler](Args... args) {
        runGuarded(dialogs, receiver, [&] { (receiver->*handler)(args...); });
    });
}

} // namespace quarnis
