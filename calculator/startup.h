#pragma once
// Start-up of the program: the three windows in their order, the message loop, and the
// command-line options for screenshots and the start-up time.

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <optional>

class QApplication;

namespace quarnis {

// The id of the program's desktop entry: the window class (WM_CLASS) on X11, the app id on
// Wayland, and the name of its icon.
inline const QString kDesktopId = QStringLiteral("io.github.quarnis.Calculator");

// What the desktop knows the program by: its name, the desktop entry's id, so that taskbars
// and docks find the entry, and the window icon of all its windows. Call once the
// application object exists.
void SetUpDesktopIdentity();

// Answers --help and --version before any window system is needed, so that both work without
// a display: prints to standard output and gives exit code 0 when the command line asks for
// one of them, nothing otherwise.
std::optional<int> AnswerWithoutDisplay(int& argc, char** argv);

// Creates CalcMain, FGraphics and FAbout, in this order; the last two stay hidden.
void CreateWindows();

// Runs the program with the options left after Qt took its own:
//   (none)             show the calculator and run until it is closed
//   --screenshot DIR   write calculator.png, graph.png and about.png into DIR and exit
//   --startup-time     print the milliseconds from `started` to the first shown window, exit
//   -h, --help         print the options and exit
//   -v, --version      print the version and exit
// Gives the process's exit code: 2 for a command line it does not understand.
int RunApplication(QApplication& app, const QElapsedTimer& started);

} // namespace quarnis
