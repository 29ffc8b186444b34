#pragma once
// The tests' side of the dialog seam: a recorder that keeps every box and answers dialogs
// from a script, so offscreen tests see every box without blocking. A test makes one and
// hands it to the windows it makes, which it must outlive.

#include "ui/dialogs.h"

#include <QColor>
#include <QList>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <optional>

namespace quarnis {

class RecordingDialogs : public Dialogs {
public:
    struct Message {
        QString caption, text;
        Icon icon;
    };
    QList<Message> messages;
    QList<QColor> colorRequests; // the initial colour of each colour dialog
    std::optional<QColor> colorAnswer; // what the colour dialog gives (nothing: cancel)
    QString fileAnswer;
    QStringList saveFilters; // the filters offered by each save dialog
    QString filterAnswer; // the filter the user picks (empty: the first offered)
    QStringList openFilters; // the filters offered by each open dialog
    QString openAnswer; // the file the open dialog gives (empty: cancel)
    int printRequests = 0;
    bool printAnswer = true; // "Yazdır"
    QString printFile; // where a confirmed print goes, as a PDF file
    QStringList confirmations; // the text of each question asked
    bool confirmAnswer = true; // "Evet"

    void message(QWidget*, const QString& caption, const QString& text, Icon icon) override
    {
        messages.append({ caption, text, icon });
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override
    {
        colorRequests.append(initial);
        return colorAnswer;
    }
    QString saveFileName(
        QWidget*, const QString&, const QString& filter, QString* selectedFilter) override
    {
        saveFilters.append(filter);
        if (selectedFilter)
            *selectedFilter = filterAnswer.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0)
                                                     : filterAnswer;
        return fileAnswer;
    }
    QString openFileName(QWidget*, const QString&, const QString& filter) override
    {
        openFilters.append(filter);
        return openAnswer;
    }
    bool print(QWidget*, QPrinter& printer) override
    {
        ++printRequests;
        if (!printAnswer)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        return true;
    }
    bool confirm(QWidget*, const QString&, const QString& text) override
    {
        confirmations.append(text);
        return confirmAnswer;
    }
};

} // namespace quarnis
