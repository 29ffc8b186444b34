#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace quarnis {

namespace {

    QAccessibleInterface* AnnouncerInterface(const QString& className, QObject* object)
    {
        if (className == QLatin1String(Announcer::staticMetaObject.className()))
            return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
        return nullptr;
    }

} // namespace

void setAccessibleText(QWidget* control, const QString& name, const QString& description)
{
    control->setAccessibleName(name);
    if (!description.isEmpty())
        control->setAccessibleDescription(description);
}

void addInvisibleLabel(QWidget* comboBox, const QString& text)
{
    auto* label = new QLabel(text, comboBox->parentWidget());
    label->setGeometry(comboBox->x(), comboBox->y(), 0, 0);
    label->setBuddy(comboBox);
}

Announcer::Announcer(QWidget* window)
    : QWidget(window)
{
    static const bool installed = [] {
        QAccessible::installFactory(AnnouncerInterface);
        return true;
    }();
    (void)installed;
    // Shown but of no size and out of the tab chain: nothing to see, click or reach.
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    text_ = new QLabel(this);
    text_->setGeometry(0, 0, 0, 0);
}

void Announcer::announce(const QString& text)
{
    text_->setText(text);
    setAccessibleName(text); // sends the name change itself
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace quarnis
