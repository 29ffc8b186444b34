#include "startup.h"

#include "about.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "graph/graph_window.h"
#include "ui/mnemonics.h"
#include "unit_main.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <QWindow>

#include <cstdio>

// The resources of a static library are registered by name, from the global namespace.
static void RegisterResources() { Q_INIT_RESOURCE(quarnis); }

namespace quarnis {

namespace {

    // The program's options, the same for the answer without a display and for the windows.
    struct CommandLine {
        QCommandLineParser parser;
        QCommandLineOption help = parser.addHelpOption();
        QCommandLineOption version = parser.addVersionOption();
        QCommandLineOption screenshot { QStringLiteral("screenshot"),
            QStringLiteral("Write calculator.png, graph.png and about.png into <dir> and exit."),
            QStringLiteral("dir") };
        QCommandLineOption startupTime { QStringLiteral("startup-time"),
            QStringLiteral(
                "Print the milliseconds until the calculator window is shown and exit.") };

        CommandLine()
        {
            QCoreApplication::setApplicationName(QStringLiteral("quarnis"));
            QCoreApplication::setApplicationVersion(QStringLiteral(QUARNIS_VERSION));
            parser.setApplicationDescription(kApplicationTitle
                + QStringLiteral(": formulas with nine-decimal precision, six memories and "
                                 "function graphs."));
            parser.addOption(screenshot);
            parser.addOption(startupTime);
        }
    };

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

    // --help and --version, once the command line was parsed: the exit code when one of them
    // was asked for.
    std::optional<int> AnswerInfo(const CommandLine& commandLine)
    {
        if (commandLine.parser.isSet(commandLine.help)
            || commandLine.parser.isSet(QStringLiteral("help-all"))) {
            std::fputs(commandLine.parser.helpText().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (commandLine.parser.isSet(commandLine.version)) {
            Print(stdout,
                QCoreApplication::applicationName() + u' '
                    + QCoreApplication::applicationVersion());
            return 0;
        }
        return std::nullopt;
    }

} // namespace

void SetUpDesktopIdentity()
{
    RegisterResources();
    QCoreApplication::setApplicationName(QStringLiteral("quarnis"));
    QGuiApplication::setDesktopFileName(kDesktopId);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/io.github.quarnis.Calculator.svg")));
}

std::optional<int> AnswerWithoutDisplay(int& argc, char** argv)
{
    const QCoreApplication core(argc, argv);
    CommandLine commandLine;
    // A command line with Qt's own window-system options (-platform, -style ...) is read
    // once the window system has taken them.
    if (!commandLine.parser.parse(QCoreApplication::arguments()))
        return std::nullopt;
    return AnswerInfo(commandLine);
}

void CreateWindows()
{
    CalcMain = new TCalcMain();
    FGraphics = new TFGraphics(CalcMain);
    FAbout = new TFAbout(CalcMain);
    CalcMain->AddQuitKey(FGraphics);
    CalcMain->AddQuitKey(FAbout);
}

int RunApplication(QApplication& app, const QElapsedTimer& started)
{
    CommandLine commandLine;
    if (!commandLine.parser.parse(app.arguments())
        || !commandLine.parser.positionalArguments().isEmpty()) {
        const QString error = commandLine.parser.errorText();
        Print(stderr,
            QStringLiteral("quarnis: ")
                + (error.isEmpty() ? QStringLiteral("unexpected argument \"%1\"")
                                         .arg(commandLine.parser.positionalArguments().value(0))
                                   : error));
        Print(stderr, QStringLiteral("Try 'quarnis --help'."));
        return 2;
    }
    if (const std::optional<int> code = AnswerInfo(commandLine))
        return *code;
    const QString screenshotDir = commandLine.parser.value(commandLine.screenshot);
    const bool screenshots = commandLine.parser.isSet(commandLine.screenshot);
    const bool startupTime = commandLine.parser.isSet(commandLine.startupTime);

    SetUpDesktopIdentity();
    UnderlineMnemonicsOnAlt(app);
    LoadApplicationFonts();

    CreateWindows();
    int code = 0;
    if (screenshots) {
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
