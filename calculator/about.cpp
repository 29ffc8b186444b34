#include "about.h"

#include "ui/fonts.h"
#include "ui/palette.h"

#include <QFrame>
#include <QTextEdit>

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

TFAbout::TFAbout(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Hakkında"));
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(274, 230);
    setFont(quarnis::WindowFont());
    quarnis::UseFixedPalette(this);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 257, 214);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);

    Memo1 = new QTextEdit(Panel1);
    Memo1->setGeometry(8, 8, 241, 193);
    Memo1->setReadOnly(true);
    Memo1->setFont(quarnis::AboutFont());
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 225)); // the tooltip background
    palette.setColor(QPalette::Text, QColor(0, 128, 0));
    Memo1->setPalette(palette);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setPlainText(QString::fromUtf8(kAboutText));
    Memo1->setAccessibleName(QStringLiteral("Hakkında"));
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}
