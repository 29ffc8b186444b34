#include "qt_texts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace quarnis {

namespace {

    // Where the catalogue's Turkish is not what a Turkish user expects, by Qt's context and
    // English text.
    struct Correction {
        const char* context;
        const char* source;
        const char* text;
    };

    constexpr Correction kCorrections[] = {
        // Key names as Turkish keyboards print them. The catalogue's "Çıkış" (exit), "Giriş"
        // (entry), "Dönüş" and "Ana Sayfa" (a web browser's home page) name no key on them.
        { "QShortcut", "Esc", "Esc" },
        { "QShortcut", "Enter", "Enter" },
        { "QShortcut", "Return", "Enter" },
        { "QShortcut", "Home", "Home" },
        // The arrow keys by their names, as the catalogue's own file dialog says "Alt+Sol",
        // not by the directions "Sola" and "Sağa".
        { "QShortcut", "Left", "Sol" },
        { "QShortcut", "Right", "Sağ" },
        // The colour dialog's value of hue, saturation and value, left English there; its
        // letter ğ is a key of its own on Turkish keyboards (T and D are taken).
        { "QColorDialog", "&Val:", "De&ğer:" },
    };

    class Corrections final : public QTranslator {
    public:
        Corrections(const QTranslator& qt, QObject* parent)
            : QTranslator(parent)
            , qt_(qt)
        {
        }

        bool isEmpty() const override { return false; }

        QString translate(const char* context, const char* source, const char* disambiguation,
            int n) const override
        {
            for (const Correction& c : kCorrections) {
                if (qstrcmp(context, c.context) == 0 && qstrcmp(source, c.source) == 0)
                    return QString::fromUtf8(c.text);
            }
            // The file dialog's type column ("Folder", "Drive") asks under a context that
            // the catalogue does not have; it keeps the same words under the dialog's own.
            if (qstrcmp(context, "QAbstractFileIconProvider") == 0)
                return qt_.translate("QFileDialog", source, nullptr, n);
            (void)disambiguation;
            return {};
        }

    private:
        const QTranslator& qt_;
    };

} // namespace

bool useTurkishForQt(QCoreApplication& app, const QString& folder)
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    auto* qt = new QTranslator(&app);
    if (!qt->load(QStringLiteral("qtbase_tr"), folder)) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    // Installed last, asked first.
    QCoreApplication::installTranslator(new Corrections(*qt, &app));
    return true;
}

} // namespace quarnis
