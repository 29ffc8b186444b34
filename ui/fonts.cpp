#include "fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace quarnis {

namespace {

    QFont Font(const QStringList& families, int pixelSize, bool bold = false, bool italic = false)
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

void LoadApplicationFonts()
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

QFont WindowFont() { return Font(kTahoma, 11); }

QFont KeypadFont() { return Font(kTahoma, 11, true); }

QFont FunctionFont()
{
    return Font({ QStringLiteral("Trebuchet MS"), QStringLiteral("Open Sans") }, 11, true, true);
}

QFont LargeFont()
{
    // The rounded face is bold by itself; its stand-in needs the bold weight to match.
    QFont font = Font({ QStringLiteral("Arial Rounded MT Bold"), QStringLiteral("Quicksand") }, 19);
    if (!QFontDatabase::families().contains(QStringLiteral("Arial Rounded MT Bold")))
        font.setBold(true);
    return font;
}

QFont MemoFont()
{
    return Font({ QStringLiteral("Tunga"), QStringLiteral("Liberation Sans") }, 16);
}

QFont ResultFont()
{
    return Font({ QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans") }, 16, true);
}

QFont AboutFont() { return Font(kTahoma, 13, true); }

} // namespace quarnis
