#include "dialogs.h"

#include "palette.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace quarnis {

namespace {

    // The file dialog's list writes the sizes and dates by the default locale, as it writes
    // the file types; Qt's own model takes the system's locale for them, whatever the program
    // chose ("2 bytes", "8 Dec 2026" under LANG=C).
    class DefaultLocaleFileModel final : public QIdentityProxyModel {
    public:
        using QIdentityProxyModel::QIdentityProxyModel;

        QVariant data(const QModelIndex& index, int role) const override
        {
            const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
            if (role == Qt::DisplayRole && files) {
                const QModelIndex source = mapToSource(index);
                if (index.column() == kSizeColumn && !files->isDir(source))
                    return QLocale().formattedDataSize(files->size(source));
                if (index.column() == kDateColumn)
                    return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
            }
            return QIdentityProxyModel::data(index, role);
        }

    private:
        // QFileSystemModel's columns: name, size, type, date modified.
        static constexpr int kSizeColumn = 1;
        static constexpr int kDateColumn = 3;
    };

} // namespace

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
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setProxyModel(new DefaultLocaleFileModel(&dialog));
    if (selectedFilter && !selectedFilter->isEmpty())
        dialog.selectNameFilter(*selectedFilter);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setProxyModel(new DefaultLocaleFileModel(&dialog));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

bool QtDialogs::print(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    useFixedPalette(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quarnis
