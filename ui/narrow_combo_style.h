#pragma once
// A drop-down list's arrow button 13 pixels wide, as on the classic desktop: the styles'
// own buttons leave no room for "M1" in a 40-pixel list or for any text in a 27-pixel one.

#include <QProxyStyle>

namespace quarnis {

class NarrowComboStyle : public QProxyStyle {
public:
    static constexpr int kArrowWidth = 13;

    // Where the button and the text field lie in the list's rectangle: the button at the right
    // of the rectangle shrunk by arrowInset on every side; the text field from editLeft pixels
    // after the left edge to editGap pixels before the button, two pixels from top and bottom.
    struct Insets {
        int arrowInset;
        int editLeft;
        int editGap;
    };

    // Follows the application's style, or wraps `baseStyleName` (a fresh style of that name).
    explicit NarrowComboStyle(Insets insets, const QString& baseStyleName = {});

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
        SubControl subControl, const QWidget* widget) const override;

private:
    Insets insets_;
};

} // namespace quarnis
