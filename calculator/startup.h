#pragma once
// Start-up of the program: the command-line options, the three windows in their order, the
// message loop, and the options for screenshots and the start-up time.

#include "about_window.h"
#include "calculator_window.h"
#include "graph/graph_window.h"
#include "history_window.h"
#include "ui/help_window.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QApplication;

namespace quarnis {

// The id of the program's desktop entry: the window class (WM_CLASS) on X11, the app id on
// Wayland, and the name of its icon.
inline const QString kDesktopId = QStringLiteral("io.github.quarnis.Calculator");

// What the desktop knows the program by: its name, the desktop entry's id, so that taskbars
// and docks find the entry, and the window icon of all its windows. Call once the
// application object exists.
void setUpDesktopIdentity();

// Answers --help and --version before any window system is needed, so that both work without
// a display: prints to standard output and gives exit code 0 when the command line asks for
// one of them, nothing otherwise.
std::optional<int> answerWithoutDisplay(int& argc, char** argv);

// What the command line asks for once Qt took its own options:
//   (none)             show the calculator and run until it is closed
//   --screenshot DIR   write calculator.png, graph.png and about.png into DIR and exit
//   --startup-time     print the milliseconds from the start to the first shown window and
//                      to the history read from its file, exit
//   FILE               a graph work file (.qgraf): the graph window opens with it loaded
//   -h, --help         print the options and exit
//   -v, --version      print the version and exit
struct RunOptions {
    // Set when the program ends at once: 0 after --help or --version, 2 for a command line
    // it does not understand (the answer or the error is printed).
    std::optional<int> exitCode;
    std::optional<QString> screenshotDir;
    bool startupTime = false;
    std::optional<QString> sessionFile;
};
RunOptions readRunOptions(const QApplication& app);

// The desktop identity, the Alt underlines and the fonts, before the first window exists.
void prepareApplication(QApplication& app);

// The program's windows, created in this order and destroyed in reverse. The graph and
// information windows are dialogs of the calculator window, hidden until its "Graph" and
// "Info" keys show them modally; the history window is its modeless companion, hidden until
// Ctrl+H shows it. The manual's help window belongs to the calculator window too: F1 in each
// window shows it at that window's chapter, as does the information window's "Kılavuz (F1)".
// All of them open their boxes and dialogs through `dialogs`, which must outlive them.
struct Windows {
    explicit Windows(Dialogs& dialogs);

    CalculatorWindow calculator;
    GraphWindow graph;
    AboutWindow about;
    HistoryWindow history;
    HelpWindow help;
};

// Runs `action` once from the event loop after `widget` was first painted.
void afterFirstPaint(QWidget* widget, std::function<void()> action);

// Runs the program as the options ask; gives the process's exit code. The history is read
// from its file and kept there (see history_store.h) once the calculator window is painted.
int run(
    QApplication& app, Windows& windows, const RunOptions& options, const QElapsedTimer& started);

} // namespace quarnis
