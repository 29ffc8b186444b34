#include "mnemonics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QWidget>

namespace quarnis {

namespace {

    class MnemonicsOnAltStyle final : public QProxyStyle {
    public:
        using QProxyStyle::QProxyStyle;

        bool altHeld = false;

        int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
            QStyleHintReturn* returnData) const override
        {
            if (hint == SH_UnderlineShortcut)
                return altHeld ? 1 : 0;
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    };

    // Follows the Alt key and repaints the active window when the underlines come or go.
    class AltWatcher final : public QObject {
    public:
        AltWatcher(QApplication& app, MnemonicsOnAltStyle* style)
            : QObject(&app)
            , style_(style)
        {
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                const auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() == Qt::Key_Alt)
                    setAltHeld(event->type() == QEvent::KeyPress);
                break;
            }
            case QEvent::ApplicationDeactivate:
            case QEvent::WindowDeactivate:
                setAltHeld(false);
                break;
            default:
                break;
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        void setAltHeld(bool held)
        {
            if (style_->altHeld == held)
                return;
            style_->altHeld = held;
            if (QWidget* window = QApplication::activeWindow())
                window->update();
            for (QWidget* widget : QApplication::allWidgets()) {
                if (widget->isVisible() && widget->window() == QApplication::activeWindow())
                    widget->update();
            }
        }

        MnemonicsOnAltStyle* style_;
    };

} // namespace

void underlineMnemonicsOnAlt(QApplication& app)
{
    // The proxy takes the application's style, whatever the desktop chose, as its base.
    auto* style = new MnemonicsOnAltStyle(QApplication::style());
    QApplication::setStyle(style); // the application owns it from here
    app.installEventFilter(new AltWatcher(app, style));
}

} // namespace quarnis
