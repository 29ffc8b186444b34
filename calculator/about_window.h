#pragma once
// The information window "Hakkında": a few centred lines about the program, and below them
// the button "Kılavuz (F1)" that asks for the manual.

#include <QDialog>

namespace quarnis {

// `AboutWindow`, named "FAbout".
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

signals:
    // "Kılavuz (F1)": the manual's chapter about this window should be shown.
    void manualRequested();
};

} // namespace quarnis
