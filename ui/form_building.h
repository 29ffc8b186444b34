#pragma once
// Building a window's controls at fixed places, one rule each for both windows: every control
// carries its layout name as objectName() and stands at its rectangle in its parent; a panel
// is a container with a raised bevel; the tab chain runs through a given list of controls or
// by their tab orders.

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

#include <optional>
#include <span>

class QFrame;
class QPushButton;
class QWidget;

namespace quarnis {

// `widget` with its layout name as objectName().
template <class Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Records where `widget` stands in its parent's tab chain, for chainTabsByOrder.
void setTabOrder(QWidget* widget, int tabOrder);

// `widget` named, at `geometry` in its parent, and with a tab order when one is given.
template <class Widget>
Widget* placed(Widget* widget, const char* name, const QRect& geometry,
    std::optional<int> tabOrder = std::nullopt)
{
    named(widget, name)->setGeometry(geometry);
    if (tabOrder)
        setTabOrder(widget, *tabOrder);
    return widget;
}

// Sets one colour of the widget's palette; its children inherit it.
void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);

// Fills the widget's rectangle with `color` beneath its children.
void fillBackground(QWidget* widget, const QColor& color);

// A container with a one-pixel raised bevel, filled with `background` unless that is invalid
// and its parent's colour is to show through.
QFrame* makePanel(QWidget* parent, const char* name, const QRect& geometry,
    const QColor& background = QColor(), std::optional<int> tabOrder = std::nullopt);

// What Enter does to a push button that has the focus: the calculator's buttons take it, as
// every button of the platform's dialogs does; the graph window's take it not, so that Enter
// in one of its fields presses no button either.
enum class EnterKey { PressesFocusedButton, PressesNoButton };

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
    const QRect& geometry, EnterKey enter);

// Tab moves from each control of `chain` to the next.
void chainTabs(std::span<QWidget* const> chain);

// Chains the controls of `window` by their tab orders: those of each container in order, a
// container's own controls where the container stands in its parent's order. A frame that is
// a scroll area is a control, not a container.
void chainTabsByOrder(QWidget* window);

} // namespace quarnis
