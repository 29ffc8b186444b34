#pragma once
// The one seam for message boxes and dialogs. The windows never open a box themselves: each
// is handed a Dialogs when it is made and asks it, the program's QtDialogs or a recorder in
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
    // The colour dialog preset to `initial`; nothing when the user cancels. It offers the
    // custom colours as the user left them at the last confirmed opening.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
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
};

// Qt's boxes and dialogs. The program makes one in main() and hands it to its windows; it
// keeps the colour dialog's custom colours from one opening to the next for its life.
class QtDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool confirm(QWidget* parent, const QString& caption, const QString& text) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
        QString* selectedFilter = nullptr) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    bool print(QWidget* parent, QPrinter& printer) override;

    // The custom colours as the user left them at the last confirmed opening; empty at first.
    const QList<QColor>& customColors() const { return customColors_; }

private:
    QList<QColor> customColors_;
};

} // namespace quarnis
