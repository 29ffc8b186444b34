// The program "quarnis": the calculator window, with the graph and information windows it
// opens.

#include "startup.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// Without a display Qt would stop with a terse platform-plugin error; say what to do instead.
bool displayAvailable(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            return true;
    }
    for (const char* variable : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" }) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer started;
    started.start();
    if (const std::optional<int> code = quarnis::answerWithoutDisplay(argc, argv))
        return *code;
    if (!displayAvailable(argc, argv)) {
        std::fputs("quarnis: no display found. Run it on a virtual display:\n"
                   "  xvfb-run -a quarnis\n"
                   "or render its windows to PNG files without any display:\n"
                   "  QT_QPA_PLATFORM=offscreen quarnis --screenshot DIR\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    const quarnis::RunOptions options = quarnis::readRunOptions(app);
    if (options.exitCode)
        return *options.exitCode;
    quarnis::prepareApplication(app);
    quarnis::QtDialogs dialogs; // before the windows, which use it to their end
    quarnis::Windows windows(dialogs);
    return quarnis::run(app, windows, options, started);
}
