#include "keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace quarnis {

namespace {

    class KeyFilter : public QObject {
    public:
        KeyFilter(QWidget* control, std::function<bool(const QKeyEvent&)> matches,
            std::function<bool()> handler)
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
            return handler_();
        }

    private:
        std::function<bool(const QKeyEvent&)> matches_;
        std::function<bool()> handler_;
    };

} // namespace

void onKeyPress(QWidget* control, QKeySequence::StandardKey key, std::function<bool()> handler)
{
    new KeyFilter(
        control, [key](const QKeyEvent& e) { return e.matches(key); }, std::move(handler));
}

void onKeyPress(QWidget* control, const QKeySequence& key, std::function<bool()> handler)
{
    new KeyFilter(
        control, [key](const QKeyEvent& e) { return QKeySequence(e.keyCombination()) == key; },
        std::move(handler));
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
