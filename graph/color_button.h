#pragma once
// A push button without caption that holds one colour and shows it as a framed swatch.
// Clicking opens the colour dialog preset to the colour; a different confirmed colour
// replaces it. The dialog's custom colours are kept by the dialogs, one list shared by every
// colour button. A change notifies no one: the plot reads the colour when it runs.

#include <QColor>
#include <QList>
#include <QPushButton>

namespace quarnis {

class Dialogs;

// `ColorButton`.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    // The colour dialog, and the general error box, open through `dialogs`.
    explicit ColorButton(Dialogs& dialogs, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

    // The swatch on a button of the given size: columns W - 19 to W - 6 and rows
    // H - 3 * (H div 4) to H - (H div 4), right and bottom edges exclusive as the platform's
    // rectangles are (6, 6) to (19, 16) on a 25 x 21 button.
    static QRect swatchRect(QSize size);

    void click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Dialogs& dialogs_;
    QColor color_ { 0, 0, 0 };
};

} // namespace quarnis
