#include "startup.h"

#include "about.h"
#include "dialogs.h"
#include "fonts.h"
#include "graph_window.h"
#include "unit_main.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace quarnis {

namespace {

    void Print(FILE* stream, const QString& text)
    {
        std::fputs(text.toLocal8Bit().constData(), stream);
        std::fputc('\n', stream);
    }

    bool SaveWindow(QWidget* window, const QString& path)
    {
        window->show();
        QApplication::processEvents();
        const bool saved = window->grab().save(path, "PNG");
        Print(saved ? stdout : stderr,
            (saved ? QStringLiteral("wrote ") : QStringLiteral("cannot write ")) + path);
        return saved;
    }

    int Screenshots(const QString& directory)
    {
        if (!QDir().mkpath(directory)) {
            Print(stderr, QStringLiteral("quarnis: cannot create ") + directory);
            return 1;
        }
        const QDir dir(directory);
        CalcMain->show();
        bool ok = SaveWindow(CalcMain, dir.filePath(QStringLiteral("calculator.png")));
        ok = SaveWindow(FGraphics, dir.filePath(QStringLiteral("graph.png"))) && ok;
        FGraphics->hide();
        ok = SaveWindow(FAbout, dir.filePath(QStringLiteral("about.png"))) && ok;
        FAbout->hide();
        return ok ? 0 : 1;
    }

} // namespace

void CreateWindows()
{
    CalcMain = new TCalcMain();
    FGraphics = new TFGraphics(CalcMain);
    FAbout = new TFAbout(CalcMain);
}

int RunApplication(QApplication& app, const QElapsedTimer& started)
{
    QApplication::setApplicationName(kApplicationTitle);
    LoadApplicationFonts();

    const QStringList args = app.arguments().mid(1);
    QString screenshotDir;
    bool startupTime = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshotDir = args[++i];
        } else if (args[i] == QLatin1String("--startup-time")) {
            startupTime = true;
        } else {
            Print(stderr, QStringLiteral("usage: quarnis [--screenshot DIR | --startup-time]"));
            return 2;
        }
    }

    CreateWindows();
    int code = 0;
    if (!screenshotDir.isEmpty()) {
        code = Screenshots(screenshotDir);
    } else {
        CalcMain->show();
        if (startupTime) {
            // Polled from the loop until the window system has mapped and exposed the window
            // and the loop has painted it.
            auto* poll = new QTimer(&app);
            QObject::connect(poll, &QTimer::timeout, &app, [&] {
                if (!CalcMain->windowHandle() || !CalcMain->windowHandle()->isExposed())
                    return;
                Print(stdout,
                    QStringLiteral("first window shown after %1 ms")
                        .arg(double(started.nsecsElapsed()) / 1e6, 0, 'f', 1));
                QApplication::quit();
            });
            poll->start(0);
        }
        code = app.exec();
    }
    delete CalcMain; // the graph and information windows go with it
    CalcMain = nullptr;
    FGraphics = nullptr;
    FAbout = nullptr;
    return code;
}

} // namespace quarnis
