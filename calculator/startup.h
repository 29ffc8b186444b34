#pragma once
// Start-up of the program: the three windows in their order, the message loop, and the
// command-line options for screenshots and the start-up time.

#include <QElapsedTimer>
#include <QStringList>

class QApplication;

namespace quarnis {

// Creates CalcMain, FGraphics and FAbout, in this order; the last two stay hidden.
void CreateWindows();

// Runs the program with the options left after Qt took its own:
//   (none)             show the calculator and run until it is closed
//   --screenshot DIR   write calculator.png, graph.png and about.png into DIR and exit
//   --startup-time     print the milliseconds from `started` to the first shown window, exit
// Gives the process's exit code.
int RunApplication(QApplication& app, const QElapsedTimer& started);

} // namespace quarnis
