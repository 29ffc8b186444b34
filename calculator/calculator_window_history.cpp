// The calculator window's side of the history window: EXEC adds an entry, Ctrl+H and the
// result field's menu show the window, and an entry's formula or result goes into the memo.

#include "calculator_window.h"
#include "formula_memo.h"
#include "history_window.h"
#include "ui/handler_guard.h"

#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>

namespace quarnis {

void CalculatorWindow::setHistory(quarnis::HistoryWindow* history)
{
    history_ = history;
    addQuitKey(history);
    connect(history, &quarnis::HistoryWindow::insertRequested, this, [this](const QString& text) {
        quarnis::runGuarded(dialogs_, this, [&] { insertFromHistory(text); });
    });

    auto* show = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this);
    connect(show, &QShortcut::activated, this, &CalculatorWindow::showHistory);

    // The result field's own menu, with "Geçmişi Göster" below it.
    result_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(result_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = result_->createStandardContextMenu();
        menu->addSeparator();
        QAction* showAction = menu->addAction(QStringLiteral("Geçmişi Göster"));
        showAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
        connect(showAction, &QAction::triggered, this, &CalculatorWindow::showHistory);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(result_->mapToGlobal(at));
    });
}

// Called once the result field shows EXEC's text; an EXEC whose rounding overflowed left the
// field as it was and adds nothing.
void CalculatorWindow::addToHistory(const QString& formula, bool failed)
{
    if (history_)
        history_->add({ formula, result_->text(), decimals_->value(), failed });
}

void CalculatorWindow::showHistory()
{
    if (history_)
        history_->showBeside(this);
}

// As the memory keys insert, in place of the memo's kept selection; then the memo takes the
// focus, so the user goes on editing there.
void CalculatorWindow::insertFromHistory(const QString& text)
{
    insertIntoFormula(text);
    focusFormula();
}

} // namespace quarnis
