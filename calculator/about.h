#pragma once
// The information window "Hakkında": a few centred lines about the program.

#include <QDialog>

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);
};
