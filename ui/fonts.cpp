#include "fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace quarnis {

namespace {

    QFont makeFont(
        const QStringList& families, int pixelSize, bool bold = false, bool italic = false)
    {
        QFont font;
        font.setFamilies(families);
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        font.setItalic(italic);
        return font;
    }

    const QStringList kTahoma { QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans") };

} // namespace

void loadApplicationFonts()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return;
    for (const char* file :
        { "/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf" }) {
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
}

QFont windowFont() { return makeFont(kTahoma, 11); }

QFont keypadFont() { return makeFont(kTahoma, 11, true); }

QFont functionFont()
{
    return makeFont(
        { QStringLiteral("Trebuchet MS"), QStringLiteral("Open Sans") }, 11, true, true);
}

QFont largeFont()
{
    // The rounded face is bold by itself; its stand-in needs the bold weight to match.
    QFont font
        = makeFont({ QStringLiteral("Arial Rounded MT Bold"), QStringLiteral("Quicksand") }, 19);
    if (!QFontDatabase::families().contains(QStringLiteral("Arial Rounded MT Bold")))
        font.setBold(true);
    return font;
}

QFont memoFont()
{
    return makeFont({ QStringLiteral("Tunga"), QStringLiteral("Liberation Sans") }, 16);
}

QFont resultFont()
{
    return makeFont({ QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans") }, 16, true);
}

QFont aboutFont() { return makeFont(kTahoma, 13, true); }

} // namespace quarnis
