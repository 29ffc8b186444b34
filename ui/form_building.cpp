#include "form_building.h"

#include <QFrame>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace quarnis {

namespace {

    const char* const kTabOrder = "quarnisTabOrder";

    void collectByTabOrder(QWidget* container, std::vector<QWidget*>& chain)
    {
        std::vector<std::pair<int, QWidget*>> children;
        for (QObject* object : container->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && child->property(kTabOrder).isValid())
                children.emplace_back(child->property(kTabOrder).toInt(), child);
        }
        std::stable_sort(children.begin(), children.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [order, child] : children) {
            if (qobject_cast<QFrame*>(child) && !child->inherits("QAbstractScrollArea"))
                collectByTabOrder(child, chain);
            else
                chain.push_back(child);
        }
    }

} // namespace

void setTabOrder(QWidget* widget, int tabOrder) { widget->setProperty(kTabOrder, tabOrder); }

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

void fillBackground(QWidget* widget, const QColor& color)
{
    setColor(widget, QPalette::Window, color);
    widget->setAutoFillBackground(true);
}

QFrame* makePanel(QWidget* parent, const char* name, const QRect& geometry,
    const QColor& background, std::optional<int> tabOrder)
{
    auto* panel = placed(new QFrame(parent), name, geometry, tabOrder);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    if (background.isValid())
        fillBackground(panel, background);
    return panel;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
    const QRect& geometry, EnterKey enter)
{
    auto* button = placed(new QPushButton(caption, parent), name, geometry);
    button->setAutoDefault(enter == EnterKey::PressesFocusedButton);
    return button;
}

void chainTabs(std::span<QWidget* const> chain)
{
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void chainTabsByOrder(QWidget* window)
{
    std::vector<QWidget*> chain;
    collectByTabOrder(window, chain);
    chainTabs(chain);
}

} // namespace quarnis
