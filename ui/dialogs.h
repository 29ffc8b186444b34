#pragma once
// The one seam for message boxes and dialogs. The windows never open a box themselves: they
// ask Dialogs::current(), which is the Qt implementation in the program and a recorder in
// the tests, so offscreen tests see every box without blocking.

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace quarnis {

// The application title, the caption of the general error box and of the notices.
inline const QString kApplicationTitle = QStringLiteral("Quarnis Scientific Calculator");

class Dialogs {
public:
    enum class Icon { None, Information, Stop };

    virtual ~Dialogs() = default;

    // A modal box with one OK button.
    virtual void message(QWidget* parent, const QString& caption, const QString& text, Icon icon)
        = 0;
    // The colour dialog preset to `initial`; nothing when the user cancels. The custom
    // colours the user defines are kept for the life of the process.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // The colour dialog preset to `initial` that offers `customColors` as the user-defined
    // colours (the caller keeps them); when the user confirms, `customColors` receives the
    // dialog's custom colours as the user left them.
    virtual std::optional<QColor> chooseColorWithCustom(
        QWidget* parent, const QColor& initial, QList<QColor>& customColors)
    {
        (void)customColors;
        return chooseColor(parent, initial);
    }
    // A modal question with the buttons "Evet" and "Hayır"; true when the user answers
    // "Evet". "Hayır" is the default, and Esc answers it.
    virtual bool confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A file name to save to, or an empty text when the user cancels. `filter` holds the
    // offered filters separated by ";;"; with `selectedFilter`, it receives the one the user
    // chose.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
        QString* selectedFilter = nullptr)
        = 0;
    // A file name to open, or an empty text when the user cancels; `filter` as above.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter)
        = 0;
    // The print dialog for `printer`; true when the user confirms, with the printer set up as
    // the user chose.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;

    static Dialogs& current();
    // Installs another implementation (tests); nullptr restores the Qt one.
    static void install(Dialogs* dialogs);
};

} // namespace quarnis
