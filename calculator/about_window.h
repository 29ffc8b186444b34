#pragma once
// The information window "Hakkında": a few centred lines about the program.

#include <QDialog>

namespace quarnis {

// `AboutWindow`, named "FAbout".
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace quarnis
