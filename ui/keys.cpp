#include "keys.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace quarnis {

namespace {

    class KeyFilter : public QObject {
    public:
        KeyFilter(QWidget* control, std::function<bool(const QKeyEvent&)> matches,
            std::function<bool(const QKeyEvent&)> handler)
            : QObject(control)
            , matches_(std::move(matches))
            , handler_(std::move(handler))
        {
            control->installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() != QEvent::KeyPress
                || !matches_(*static_cast<const QKeyEvent*>(event)))
                return false;
            return handler_(*static_cast<const QKeyEvent*>(event));
        }

    private:
        std::function<bool(const QKeyEvent&)> matches_;
        std::function<bool(const QKeyEvent&)> handler_;
    };

} // namespace

void onKeyPress(QWidget* control, QKeySequence::StandardKey key, std::function<bool()> handler)
{
    new KeyFilter(
        control, [key](const QKeyEvent& e) { return e.matches(key); },
        [handler = std::move(handler)](const QKeyEvent&) { return handler(); });
}

void onKeyPress(QWidget* control, const QKeySequence& key, std::function<bool()> handler)
{
    new KeyFilter(
        control, [key](const QKeyEvent& e) { return QKeySequence(e.keyCombination()) == key; },
        [handler = std::move(handler)](const QKeyEvent&) { return handler(); });
}

void typeCommaAsFullStop(QWidget* control)
{
    // Replacing the key, rather than deleting the comma with a queued Backspace, keeps the
    // stop where the comma was even when the next key is already waiting.
    new KeyFilter(
        control, [](const QKeyEvent& e) { return e.text() == QLatin1String(","); },
        [control](const QKeyEvent& e) {
            QKeyEvent stop(QEvent::KeyPress, Qt::Key_Period, e.modifiers(), QStringLiteral("."));
            QCoreApplication::sendEvent(control, &stop);
            return true;
        });
}

void onMenuKeys(QWidget* control, const std::function<void()>& open)
{
    const auto handler = [open] {
        open();
        return true;
    };
    onKeyPress(control, QKeySequence(Qt::Key_Menu), handler);
    onKeyPress(control, QKeySequence(Qt::SHIFT | Qt::Key_F10), handler);
}

void onMenuKeysRequestMenu(QWidget* control)
{
    onMenuKeys(
        control, [control] { emit control->customContextMenuRequested(control->rect().center()); });
}

} // namespace quarnis
