#include "startup.h"

#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/mnemonics.h"
#include "ui/qt_texts.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include <clocale>
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

// The resources of a static library are registered by name, from the global namespace.
static void registerResources() { Q_INIT_RESOURCE(quarnis); }

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
            parser.addPositionalArgument(QStringLiteral("file"),
                QStringLiteral("A graph work file (.qgraf) to open in the graph window."),
                QStringLiteral("[file]"));
        }
    };

    void print(FILE* stream, const QString& text)
    {
        std::fputs(text.toLocal8Bit().constData(), stream);
        std::fputc('\n', stream);
    }

    bool saveWindow(QWidget* window, const QString& path)
    {
        window->show();
        QApplication::processEvents();
        const bool saved = window->grab().save(path, "PNG");
        print(saved ? stdout : stderr,
            (saved ? QStringLiteral("wrote ") : QStringLiteral("cannot write ")) + path);
        return saved;
    }

    int screenshots(Windows& windows, const QString& directory)
    {
        if (!QDir().mkpath(directory)) {
            print(stderr, QStringLiteral("quarnis: cannot create ") + directory);
            return 1;
        }
        const QDir dir(directory);
        windows.calculator.show();
        bool ok = saveWindow(&windows.calculator, dir.filePath(QStringLiteral("calculator.png")));
        ok = saveWindow(&windows.graph, dir.filePath(QStringLiteral("graph.png"))) && ok;
        windows.graph.hide();
        ok = saveWindow(&windows.about, dir.filePath(QStringLiteral("about.png"))) && ok;
        windows.about.hide();
        return ok ? 0 : 1;
    }

    // --help and --version, once the command line was parsed: the exit code when one of them
    // was asked for.
    std::optional<int> answerInfo(const CommandLine& commandLine)
    {
        if (commandLine.parser.isSet(commandLine.help)
            || commandLine.parser.isSet(QStringLiteral("help-all"))) {
            std::fputs(commandLine.parser.helpText().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (commandLine.parser.isSet(commandLine.version)) {
            print(stdout,
                QCoreApplication::applicationName() + u' '
                    + QCoreApplication::applicationVersion());
            return 0;
        }
        return std::nullopt;
    }

} // namespace

void setUpDesktopIdentity()
{
    registerResources();
    QCoreApplication::setApplicationName(QStringLiteral("quarnis"));
    QGuiApplication::setDesktopFileName(kDesktopId);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/io.github.quarnis.Calculator.svg")));
}

std::optional<int> answerWithoutDisplay(int& argc, char** argv)
{
    const QCoreApplication core(argc, argv);
    CommandLine commandLine;
    // A command line with Qt's own window-system options (-platform, -style ...) is read
    // once the window system has taken them.
    if (!commandLine.parser.parse(QCoreApplication::arguments()))
        return std::nullopt;
    return answerInfo(commandLine);
}

RunOptions readRunOptions(const QApplication& app)
{
    RunOptions options;
    CommandLine commandLine;
    if (!commandLine.parser.parse(app.arguments())
        || commandLine.parser.positionalArguments().size() > 1) {
        const QString error = commandLine.parser.errorText();
        print(stderr,
            QStringLiteral("quarnis: ")
                + (error.isEmpty() ? QStringLiteral("unexpected argument \"%1\"")
                                         .arg(commandLine.parser.positionalArguments().value(1))
                                   : error));
        print(stderr, QStringLiteral("Try 'quarnis --help'."));
        options.exitCode = 2;
        return options;
    }
    options.exitCode = answerInfo(commandLine);
    if (commandLine.parser.isSet(commandLine.screenshot))
        options.screenshotDir = commandLine.parser.value(commandLine.screenshot);
    options.startupTime = commandLine.parser.isSet(commandLine.startupTime);
    if (!commandLine.parser.positionalArguments().isEmpty())
        options.sessionFile = commandLine.parser.positionalArguments().front();
    return options;
}

void prepareApplication(QApplication& app)
{
    // Qt speaks Turkish whatever the user's locale. The program's number texts use "."
    // regardless: the engine converts them itself, and the C library's conversions keep the
    // C locale's "." too.
    useTurkishForQt(app);
    std::setlocale(LC_NUMERIC, "C");
    setUpDesktopIdentity();
    underlineMnemonicsOnAlt(app);
    loadApplicationFonts();
}

Windows::Windows(Dialogs& dialogs)
    : calculator(dialogs)
    , graph(dialogs, &calculator)
    , about(&calculator)
    , history(dialogs, &calculator)
    , help(&calculator)
{
    // The windows' layout names, for tests and tools that look them up.
    calculator.setObjectName(QStringLiteral("CalcMain"));
    graph.setObjectName(QStringLiteral("FGraphics"));
    about.setObjectName(QStringLiteral("FAbout"));
    calculator.setDialogs(&graph, &about);
    calculator.setHistory(&history);

    const std::pair<QWidget*, HelpChapter> chapters[]
        = { { &calculator, HelpChapter::Calculator }, { &graph, HelpChapter::Graph },
              { &history, HelpChapter::History }, { &about, HelpChapter::About } };
    for (const auto& [window, chapter] : chapters) {
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
        QObject::connect(f1, &QShortcut::activated, &help,
            [this, chapter = chapter] { help.showChapter(chapter); });
    }
    QObject::connect(&about, &AboutWindow::manualRequested, &help,
        [this] { help.showChapter(HelpChapter::About); });
    // Ctrl+Q in the manual ends the program as it does in the other windows.
    QObject::connect(
        &help, &HelpWindow::quitRequested, &calculator, &CalculatorWindow::quitProgram);
}

void afterFirstPaint(QWidget* widget, std::function<void()> action)
{
    // Watches the widget's events until its first paint; also runs after a second, should the
    // window system never expose the window.
    class Hook : public QObject {
    public:
        Hook(QWidget* widget, std::function<void()> action)
            : QObject(widget)
            , action_(std::move(action))
        {
            widget->installEventFilter(this);
            QTimer::singleShot(1000, this, [this] { fire(); });
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, this, [this] { fire(); });
            return false;
        }

    private:
        void fire()
        {
            if (std::exchange(fired_, true))
                return;
            action_();
            deleteLater();
        }
        std::function<void()> action_;
        bool fired_ = false;
    };
    new Hook(widget, std::move(action));
}

int run(
    QApplication& app, Windows& windows, const RunOptions& options, const QElapsedTimer& started)
{
    if (options.screenshotDir)
        return screenshots(windows, *options.screenshotDir);
    windows.calculator.show();
    // The history file is read once the window is painted, so that a long history never
    // delays it; an entry added before is written after the file's entries. With
    // --startup-time, once the window's time is printed, and the time it took is printed too.
    struct Progress {
        bool shown = false, restored = false;
    };
    auto progress = std::make_shared<Progress>();
    auto restore = std::make_shared<std::function<void()>>();
    *restore = [&windows, &options, &started, progress, weak = std::weak_ptr(restore)] {
        if (options.startupTime && !progress->shown) {
            QTimer::singleShot(1, &windows.calculator, [weak] {
                if (auto again = weak.lock())
                    (*again)();
            });
            return;
        }
        QObject::connect(&windows.history, &HistoryWindow::restored, &windows.history,
            [&windows, &options, &started, progress] {
                progress->restored = true;
                if (options.startupTime)
                    print(stdout,
                        QStringLiteral("history of %1 entries read after %2 ms")
                            .arg(windows.history.history().size())
                            .arg(double(started.nsecsElapsed()) / 1e6, 0, 'f', 1));
            });
        windows.history.restore(std::make_unique<HistoryStore>(
            HistoryStore::defaultFolder(), HistoryStore::defaultSettingsFile()));
    };
    afterFirstPaint(&windows.calculator, [restore] { (*restore)(); });
    if (options.sessionFile) {
        // The graph window opens over the calculator as its "Graph" key opens it, and takes
        // the file once it is shown, so that a refused file's box stands over it.
        QTimer::singleShot(0, &windows.graph, [&windows, file = *options.sessionFile] {
            QTimer::singleShot(
                0, &windows.graph, [&windows, file] { windows.graph.openSessionFile(file); });
            windows.graph.exec();
        });
    }
    if (options.startupTime) {
        // Polled from the loop until the window system has mapped and exposed the window and
        // the loop has painted it, then until the history is read.
        const QWidget& calculator = windows.calculator;
        auto* poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, &app, [&calculator, &started, progress, restore] {
            if (!calculator.windowHandle() || !calculator.windowHandle()->isExposed())
                return;
            if (!std::exchange(progress->shown, true))
                print(stdout,
                    QStringLiteral("first window shown after %1 ms")
                        .arg(double(started.nsecsElapsed()) / 1e6, 0, 'f', 1));
            if (progress->restored)
                QApplication::quit();
        });
        poll->start(0);
    }
    return app.exec();
}

} // namespace quarnis
