#pragma once
// The graph window "Grafik Formu": defines and tabulates a function on its left half and
// plots the points on its right half.

#include <QDialog>

class TFGraphics : public QDialog {
    Q_OBJECT
public:
    explicit TFGraphics(QWidget* parent = nullptr);
};
