#include "narrow_combo_style.h"

#include <QStyleOptionComplex>

namespace quarnis {

NarrowComboStyle::NarrowComboStyle(Insets insets, const QString& baseStyleName)
    : QProxyStyle(baseStyleName)
    , insets_(insets)
{
}

QRect NarrowComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
    SubControl subControl, const QWidget* widget) const
{
    if (control != CC_ComboBox
        || (subControl != SC_ComboBoxArrow && subControl != SC_ComboBoxEditField))
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const int inset = insets_.arrowInset;
    const QRect frame = option->rect.adjusted(inset, inset, -inset, -inset);
    const QRect arrow(frame.right() - kArrowWidth + 1, frame.top(), kArrowWidth, frame.height());
    if (subControl == SC_ComboBoxArrow)
        return arrow;
    const QRect& r = option->rect;
    const int left = r.left() + insets_.editLeft;
    return QRect(left, r.top() + 2, arrow.left() - insets_.editGap - left, r.height() - 4);
}

} // namespace quarnis
