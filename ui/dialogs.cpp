#include "dialogs.h"

#include "palette.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace quarnis {

void QtDialogs::message(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    QMessageBox box(parent);
    useFixedPalette(&box);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(icon == Icon::Stop      ? QMessageBox::Critical
            : icon == Icon::Information ? QMessageBox::Information
                                        : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool QtDialogs::confirm(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(parent);
    useFixedPalette(&box);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    QPushButton* yes = box.addButton(QStringLiteral("Evet"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Hayır"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* parent, const QColor& initial)
{
    // QColorDialog's custom colours are process-wide; ours replace them for this opening, so
    // the dialog never offers colours that are not kept here.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(
            i, i < customColors_.size() ? customColors_[i] : QColor(Qt::white));
    QColorDialog dialog(initial, parent);
    useFixedPalette(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    customColors_.clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        customColors_.append(QColorDialog::customColor(i));
    return dialog.selectedColor();
}

QString QtDialogs::saveFileName(
    QWidget* parent, const QString& caption, const QString& filter, QString* selectedFilter)
{
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter, selectedFilter);
}

bool QtDialogs::print(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    useFixedPalette(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quarnis
