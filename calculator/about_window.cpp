#include "about_window.h"

#include "ui/fonts.h"
#include "ui/form_building.h"
#include "ui/palette.h"

#include <QFrame>
#include <QPushButton>
#include <QTextEdit>

namespace quarnis {

namespace {

    const char* const kAboutText = "Quarnis\n"
                                   "Bilimsel Hesap Makinesi\n"
                                   "\n"
                                   "Formülü yazın ya da tuşlarla kurun,\n"
                                   "EXEC ya da Enter ile hesaplayın.\n"
                                   "Sonuç yuvarlanmadan ya da 0-9\n"
                                   "ondalıkla gösterilir.\n"
                                   "\n"
                                   "M1-M3 formülleri, S1-S3 sonuçları\n"
                                   "saklar. Graph ile bir fonksiyonun\n"
                                   "tablosunu ve grafiğini çizin.";

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Hakkında"));
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(274, 258);
    setFont(quarnis::windowFont());
    quarnis::useFixedPalette(this);

    QFrame* panel = quarnis::makePanel(this, "", QRect(8, 8, 257, 214));

    auto* text = new QTextEdit(panel);
    text->setGeometry(8, 8, 241, 193);
    text->setReadOnly(true);
    text->setFont(quarnis::aboutFont());
    quarnis::setColor(text, QPalette::Base, quarnis::kLightYellow);
    quarnis::setColor(text, QPalette::Text, QColor(0, 128, 0));
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setPlainText(QString::fromUtf8(kAboutText));
    text->setAccessibleName(QStringLiteral("Hakkında"));
    QTextCursor all(text->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);

    QPushButton* manual = quarnis::makeButton(this, "bManual", QStringLiteral("Kılavuz (F1)"),
        QRect(87, 228, 100, 23), quarnis::EnterKey::PressesFocusedButton);
    manual->setToolTip(QStringLiteral("Kılavuzu bu pencerenin sayfasında açar"));
    connect(manual, &QPushButton::clicked, this, &AboutWindow::manualRequested);
}

} // namespace quarnis
