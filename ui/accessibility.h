#pragma once
// What screen readers need beyond the controls' captions: names and descriptions, and a
// spoken notice for a text that appears where the focus is not.

#include <QString>
#include <QWidget>

class QLabel;

namespace quarnis {

// Gives `control` the name a screen reader says for it and, where the name alone does not
// tell what the control does, a description.
void setAccessibleText(QWidget* control, const QString& name, const QString& description = {});

// On the Linux accessibility bus a combo box's name is its current entry, and screen readers
// take what it is from the label it is labelled by. A combo box without a label of its own
// gets one here that nobody sees: a label of no size beside it, `text` its buddy's name.
void addInvisibleLabel(QWidget* comboBox, const QString& text);

// An invisible notification of its window: announce() tells assistive technology a short
// text (a new result) without taking the focus from where the user works. The bridge shows
// it as an object of the notification role whose name is the text, holding a label with the
// same text; screen readers speak a notification when it is shown, and show its labels on a
// braille display and in their list of notifications.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    void announce(const QString& text);

private:
    QLabel* text_;
};

} // namespace quarnis
