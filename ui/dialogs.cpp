#include "dialogs.h"

#include "palette.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace quarnis {

namespace {

    class QtDialogs : public Dialogs {
    public:
        void message(
            QWidget* parent, const QString& caption, const QString& text, Icon icon) override
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

        bool confirm(QWidget* parent, const QString& caption, const QString& text) override
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

        std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override
        {
            // QColorDialog keeps its custom colours for the life of the process.
            QColorDialog dialog(initial, parent);
            useFixedPalette(&dialog);
            if (dialog.exec() != QDialog::Accepted)
                return std::nullopt;
            return dialog.selectedColor();
        }

        std::optional<QColor> chooseColorWithCustom(
            QWidget* parent, const QColor& initial, QList<QColor>& customColors) override
        {
            // QColorDialog's custom colours are process-wide; the caller's list replaces them
            // for this opening, so the dialog never offers colours the caller does not keep.
            for (int i = 0; i < QColorDialog::customCount(); ++i)
                QColorDialog::setCustomColor(
                    i, i < customColors.size() ? customColors[i] : QColor(Qt::white));
            QColorDialog dialog(initial, parent);
            useFixedPalette(&dialog);
            if (dialog.exec() != QDialog::Accepted)
                return std::nullopt;
            customColors.clear();
            for (int i = 0; i < QColorDialog::customCount(); ++i)
                customColors.append(QColorDialog::customColor(i));
            return dialog.selectedColor();
        }

        QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
            QString* selectedFilter) override
        {
            return QFileDialog::getSaveFileName(parent, caption, QString(), filter, selectedFilter);
        }

        QString openFileName(
            QWidget* parent, const QString& caption, const QString& filter) override
        {
            return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
        }

        bool print(QWidget* parent, QPrinter& printer) override
        {
            QPrintDialog dialog(&printer, parent);
            useFixedPalette(&dialog);
            return dialog.exec() == QDialog::Accepted;
        }
    };

    QtDialogs& qtDialogs()
    {
        static QtDialogs dialogs;
        return dialogs;
    }

    Dialogs* installed = nullptr;

} // namespace

Dialogs& Dialogs::current() { return installed ? *installed : qtDialogs(); }

void Dialogs::install(Dialogs* dialogs) { installed = dialogs; }

} // namespace quarnis
