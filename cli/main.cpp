// quarnis-calc: evaluates formulas as the calculator's EXEC does, one result line each.
//
//   quarnis-calc '2*sin(Pi/6)'        -> 1
//   quarnis-calc -d 2 -- -2.5+1       -> -1.5
//   printf '1/3\n(1+2\n' | quarnis-calc -> 0.333333333 / Geçersiz parantez... (exit 1)
//   quarnis-calc --tabulate --def 't*t' --steps 2 -> [0]:(0,0) [1]:(5,25) [2]:(10,100)
//   quarnis-calc --tabulate --def 't*t' -q --plot square.svg -> the graph window's picture
//
// Exit status: 0 when every formula gave a number, 1 when a line shows an error text or
// --tabulate refuses a field, 2 for a wrong command line.

#include "engine/exec_text.h"
#include "engine/runtime_error.h"
#include "engine/utf.h"
#include "picture/picture_format.h"
#include "picture_writer.h"
#include "plot/picture_canvas.h"
#include "plot/plot_commands.h"
#include "plot/plot_controls.h"
#include "progress_line.h"
#include "session/graph_session.h"
#include "tabulation/function_record.h"
#include "tabulation/graph.h"

#include <getopt.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr const char* kProgram = "quarnis-calc";

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kHelp
    = "Usage: quarnis-calc [-d N] [--] [FORMULA...]\n"
      "       quarnis-calc --tabulate [--name F] [--var t] [--const NAME=VALUE]...\n"
      "                    [--def t] [--from 0] [--to 10] [--steps 100] [-d 5]\n"
      "                    [--session FILE.qgraf] [--plot FILE [--lines]] [-q]\n"
      "Evaluates each FORMULA, or each line of standard input when none is given, and\n"
      "prints one line for each: the result as the calculator window shows it.\n"
      "\n"
      "  -d, --decimals=N  round to N decimals, 0 to 9; -1 (the default) leaves the\n"
      "                    value unrounded\n"
      "  --                end of options; a formula that begins with \"-\" must follow it\n"
      "  -h, --help        print this help and exit\n"
      "  -v, --version     print the version and exit\n"
      "\n"
      "  --tabulate        print the result lines [i]:(x,f(x)) that the graph window's\n"
      "                    HESAPLA lists for the function panel given by:\n"
      "  --name=F          the function's name\n"
      "  --var=V           the variable (one character)\n"
      "  --const=NAME=VALUE  a constant; up to three, filled in order\n"
      "  --def=FORMULA     the definition\n"
      "  --from=X1, --to=X2  the range\n"
      "  --steps=N         the number of equal steps, 1 to 65535\n"
      "  --session=FILE    start from the graph window's work saved in FILE (.qgraf):\n"
      "                    its panel, decimals and plot settings; the options above,\n"
      "                    -d and --lines given with it override the file's fields\n"
      "  -d N              with --tabulate: decimals of the listed values, 0 to 9, or -1\n"
      "                    to round to tens (default 5)\n"
      "  --plot=FILE       also write the picture that the graph window shows after\n"
      "                    \"Grafik Temizle\", \"Oto. Ölçeklendir\" and \"Grafik Çiz\" with\n"
      "                    its start settings (or --session's): a PNG, SVG or PDF file by\n"
      "                    FILE's suffix\n"
      "                    (.png, .svg, .pdf); needs no display\n"
      "  --lines           with --plot: draw the curve as \"Çizgi\" instead of \"Nokta\"\n"
      "  -q, --quiet       with --tabulate: print no result lines\n"
      "\n"
      "Exit status: 0 when every formula gave a number, 1 when a line shows an error\n"
      "text or --tabulate refuses a field (the refusal goes to standard error), the\n"
      "--session file is refused or the picture cannot be written, 2 for a wrong option\n"
      "or a FILE of unknown format.\n";

int usageError()
{
    std::fprintf(stderr, "Try '%s --help' for more information.\n", kProgram);
    return kExitUsage;
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return usageError();
}

// "-1" or a single digit 0 to 9, as the decimals control of either window allows.
std::optional<int> parseDecimals(const char* text)
{
    if (std::strcmp(text, "-1") == 0)
        return -1;
    if (text[0] >= '0' && text[0] <= '9' && text[1] == '\0')
        return text[0] - '0';
    return std::nullopt;
}

// Appends the line that EXEC shows for the formula; gives false when it is an error text.
bool show(const std::string& formula, int decimals, std::string& out)
{
    bool reported = false;
    try {
        out += quarnis::utf16ToUtf8(
            quarnis::execText(quarnis::utf8ToUtf16(formula), decimals, &reported));
    } catch (const quarnis::RuntimeError& e) {
        out += e.what();
        reported = true;
    }
    out += '\n';
    return !reported;
}

// Writes the lines to standard output in blocks, unless quiet, and keeps them for a plot
// when asked to.
class LinePrinter : public quarnis::TabulationOutput {
public:
    LinePrinter(int decimals, bool quiet, std::vector<std::u16string>* kept)
        : decimals_(decimals)
        , quiet_(quiet)
        , kept_(kept)
    {
    }
    ~LinePrinter() { flush(); }
    int decimals() override { return decimals_; }
    bool progress(unsigned done, unsigned total) override
    {
        progress_.update(done, total);
        return true;
    }
    void append(std::u16string line, bool failed) override
    {
        anyFailed_ = anyFailed_ || failed;
        if (!quiet_) {
            quarnis::appendUtf8(out_, line);
            out_ += '\n';
            if (out_.size() >= (1 << 16))
                flush();
        }
        if (kept_)
            kept_->push_back(std::move(line));
    }
    // Whether a listed line shows an error text.
    bool anyFailed() const { return anyFailed_; }
    void flush()
    {
        progress_.erase();
        std::fwrite(out_.data(), 1, out_.size(), stdout);
        out_.clear();
    }

private:
    int decimals_;
    bool quiet_;
    std::vector<std::u16string>* kept_;
    bool anyFailed_ = false;
    std::string out_;
    quarnis::ProgressLine progress_ { stderr };
};

void printError(std::u16string_view text)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, quarnis::utf16ToUtf8(text).c_str());
}

// Where the plot commands' boxes go on the command line: to standard error, a refusal as a
// failure.
class ErrorReport : public quarnis::PlotReport {
public:
    void refuse(std::u16string_view caption, std::u16string_view text) override
    {
        printError(std::u16string(caption) + u' ' + std::u16string(text));
        refused_ = true;
    }
    void notify(std::u16string_view text) override { printError(text); }
    bool refused() const { return refused_; }

private:
    bool refused_ = false;
};

// What to draw the tabulated points into, and how.
struct PlotRequest {
    const char* fileName; // in the locale's encoding, as given
    quarnis::PictureFormat format;
    quarnis::PlotControls controls; // the plot settings' controls, as the window holds them
};

// The picture that a fresh graph window shows for the result lines after "Grafik Temizle",
// "Oto. Ölçeklendir" and "Grafik Çiz" with the given settings. A command that fails is
// reported as the window's error box would, and the next one runs; false when any failed or
// the file could not be written, which then stays as it was.
bool plot(const std::vector<std::u16string>& lines, const PlotRequest& request)
{
    quarnis::PictureCanvas canvas(
        quarnis::kSurfaceWidth, quarnis::kSurfaceHeight, quarnis::kSurfaceStartColor);
    quarnis::Graph graph;
    graph.loadPoints(lines);
    bool coordSystemDrawn = false;
    ErrorReport report;
    quarnis::PlotTarget target { canvas, graph, coordSystemDrawn, lines.size(), report };
    quarnis::PlotControls controls = request.controls;
    bool ok = true;
    const auto run = [&](auto&& command) {
        try {
            command();
        } catch (const quarnis::RuntimeError& e) {
            std::fprintf(stderr, "%s: %s\n", kProgram, e.what());
            ok = false;
        }
    };
    // Each command takes the settings from the controls as it runs, as the window's do.
    run([&] { quarnis::clearGraphArea(target, quarnis::plotSettingsOf(controls)); });
    run([&] {
        if (const auto texts = quarnis::autoScale(target, quarnis::plotSettingsOf(controls))) {
            controls.xScale = texts->first;
            controls.yScale = texts->second;
        }
    });
    run([&] { quarnis::drawGraph(target, quarnis::plotSettingsOf(controls)); });
    // Only now is Qt loaded, with the module that writes the file.
    std::string problem;
    const quarnis::WritePictureFn* write = quarnis::loadPictureWriter(problem);
    if (!write) {
        std::fprintf(stderr, "%s: cannot write the picture to '%s': %s\n", kProgram,
            request.fileName, problem.c_str());
        return false;
    }
    if (!write(canvas, request.fileName, request.format)) {
        std::fprintf(stderr, "%s: cannot write the picture to '%s'\n", kProgram, request.fileName);
        return false;
    }
    return ok && !report.refused();
}

int tabulate(const quarnis::FuncPanelTexts& panel, int decimals, bool quiet,
    const std::optional<PlotRequest>& picture)
{
    quarnis::FunctionRecord func;
    std::vector<std::u16string> lines;
    LinePrinter printer(decimals, quiet, picture ? &lines : nullptr);
    try {
        quarnis::storePanel(func, panel);
        func.tabulate(printer);
    } catch (const quarnis::RuntimeError& e) {
        // The lines before the failing point, as the window keeps them; the window then
        // leaves its point table as it was, so there is no curve to draw either.
        printer.flush();
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", kProgram, e.what());
        return kExitFailed;
    }
    printer.flush();
    std::fflush(stdout);
    const bool drawn = !picture || plot(lines, *picture);
    return printer.anyFailed() || !drawn ? kExitFailed : kExitOk;
}

// The work file of --session, or nothing when it is refused (said on standard error).
std::optional<quarnis::GraphSession> readSession(const char* fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    std::string bytes(quarnis::kMaxGraphSessionBytes + 1, '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    if (in.bad() || (!in && !in.eof())) {
        std::fprintf(
            stderr, "%s: cannot read '%s': %s\n", kProgram, fileName, std::strerror(errno));
        return std::nullopt;
    }
    bytes.resize(std::size_t(in.gcount()));
    auto read = quarnis::readGraphSession(bytes);
    if (const auto* error = std::get_if<quarnis::GraphSessionError>(&read)) {
        std::fprintf(stderr, "%s: cannot open '%s': ", kProgram, fileName);
        if (error->line > 0)
            std::fprintf(stderr, "line %zu: ", error->line);
        std::fprintf(stderr, "%s\n", quarnis::utf16ToUtf8(error->reason).c_str());
        return std::nullopt;
    }
    return std::get<quarnis::GraphSession>(std::move(read));
}

// The formulas given as arguments, or else the lines of standard input.
int evaluate(char** formulas, int count, int decimals)
{
    bool allNumbers = true;
    std::string out;
    if (count > 0) {
        for (int i = 0; i < count; ++i)
            allNumbers = show(formulas[i], decimals, out) && allNumbers;
        std::fwrite(out.data(), 1, out.size(), stdout);
        return allNumbers ? kExitOk : kExitFailed;
    }
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back(); // a CR LF line end is not part of the formula
        allNumbers = show(line, decimals, out) && allNumbers;
        if (out.size() >= (1 << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return allNumbers ? kExitOk : kExitFailed;
}

// Values of the long-only options.
enum : int {
    kTabulate = 256,
    kPlot,
    kLines,
    kSession,
    kName,
    kVar,
    kConst,
    kDef,
    kFrom,
    kTo,
    kSteps
};

constexpr option kOptions[] = {
    { "decimals", required_argument, nullptr, 'd' },
    { "help", no_argument, nullptr, 'h' },
    { "version", no_argument, nullptr, 'v' },
    { "tabulate", no_argument, nullptr, kTabulate },
    { "plot", required_argument, nullptr, kPlot },
    { "lines", no_argument, nullptr, kLines },
    { "session", required_argument, nullptr, kSession },
    { "quiet", no_argument, nullptr, 'q' },
    { "name", required_argument, nullptr, kName },
    { "var", required_argument, nullptr, kVar },
    { "const", required_argument, nullptr, kConst },
    { "def", required_argument, nullptr, kDef },
    { "from", required_argument, nullptr, kFrom },
    { "to", required_argument, nullptr, kTo },
    { "steps", required_argument, nullptr, kSteps },
    { nullptr, 0, nullptr, 0 },
};

} // namespace

int main(int argc, char** argv)
{
    // The panel's fields the options set; they override those of a --session file.
    using Field = std::u16string quarnis::FuncPanelTexts::*;
    std::vector<std::pair<Field, std::u16string>> fields;
    const Field constNames[] = { &quarnis::FuncPanelTexts::const1, &quarnis::FuncPanelTexts::const2,
        &quarnis::FuncPanelTexts::const3 };
    const Field constValues[] = { &quarnis::FuncPanelTexts::value1,
        &quarnis::FuncPanelTexts::value2, &quarnis::FuncPanelTexts::value3 };
    int constants = 0;
    const char* sessionFile = nullptr;
    std::optional<int> decimals;
    bool tabulation = false;
    bool quiet = false;
    bool lines = false;
    const char* pictureFile = nullptr;
    const char* panelOption = nullptr; // the first option that only --tabulate reads

    // getopt_long reports a wrong option itself, naming the program by argv[0]; the name
    // the user types reads better there than the path the program was started by.
    argv[0] = const_cast<char*>(kProgram);
    int c;
    int index = -1;
    while ((c = getopt_long(argc, argv, "d:hqv", kOptions, &index)) != -1) {
        if (c >= kPlot && !panelOption)
            panelOption = kOptions[index].name;
        else if (c == 'q' && !panelOption)
            panelOption = "quiet";
        switch (c) {
        case 'd':
            decimals = parseDecimals(optarg);
            if (!decimals)
                return usageError(
                    std::string("decimals must be from -1 to 9, not '") + optarg + "'");
            break;
        case 'h':
            std::fputs(kHelp, stdout);
            return kExitOk;
        case 'v':
            std::printf("%s %s\n", kProgram, QUARNIS_VERSION);
            return kExitOk;
        case kTabulate:
            tabulation = true;
            break;
        case 'q':
            quiet = true;
            break;
        case kPlot:
            pictureFile = optarg;
            break;
        case kLines:
            lines = true;
            break;
        case kSession:
            sessionFile = optarg;
            break;
        case kName:
            fields.emplace_back(&quarnis::FuncPanelTexts::name, quarnis::utf8ToUtf16(optarg));
            break;
        case kVar:
            fields.emplace_back(&quarnis::FuncPanelTexts::var, quarnis::utf8ToUtf16(optarg));
            break;
        case kConst: {
            const char* eq = std::strchr(optarg, '=');
            if (!eq)
                return usageError(std::string("--const needs NAME=VALUE, not '") + optarg + "'");
            if (constants == 3)
                return usageError("at most three --const");
            fields.emplace_back(
                constNames[constants], quarnis::utf8ToUtf16(std::string_view(optarg, eq - optarg)));
            fields.emplace_back(constValues[constants], quarnis::utf8ToUtf16(eq + 1));
            ++constants;
            break;
        }
        case kDef:
            fields.emplace_back(&quarnis::FuncPanelTexts::definition, quarnis::utf8ToUtf16(optarg));
            break;
        case kFrom:
            fields.emplace_back(&quarnis::FuncPanelTexts::x1, quarnis::utf8ToUtf16(optarg));
            break;
        case kTo:
            fields.emplace_back(&quarnis::FuncPanelTexts::x2, quarnis::utf8ToUtf16(optarg));
            break;
        case kSteps:
            fields.emplace_back(&quarnis::FuncPanelTexts::sample, quarnis::utf8ToUtf16(optarg));
            break;
        default: // getopt_long has named the wrong option on standard error
            return usageError();
        }
        index = -1;
    }

    if (!tabulation) {
        if (panelOption)
            return usageError(std::string("--") + panelOption + " needs --tabulate");
        return evaluate(argv + optind, argc - optind, decimals.value_or(-1));
    }
    if (optind < argc)
        return usageError(
            std::string("--tabulate takes no formula, but got '") + argv[optind] + "'");
    if (lines && !pictureFile)
        return usageError("--lines needs --plot");
    std::optional<quarnis::PictureFormat> format;
    if (pictureFile) {
        format = quarnis::pictureFormatOfFileName(pictureFile);
        if (!format)
            return usageError(std::string("cannot tell the picture format of '") + pictureFile
                + "': its name must end in .png, .svg or .pdf");
    }
    // The window's start state, or its work as the file holds it; then the options.
    quarnis::GraphSession session;
    if (sessionFile) {
        std::optional<quarnis::GraphSession> read = readSession(sessionFile);
        if (!read)
            return kExitFailed;
        session = std::move(*read);
    }
    for (auto& [field, text] : fields)
        session.panel.*field = std::move(text);
    if (lines)
        session.plot.curveKind = quarnis::kCurveKindEntries[1];
    std::optional<PlotRequest> picture;
    if (pictureFile)
        picture = PlotRequest { pictureFile, *format, session.plot };
    return tabulate(session.panel, decimals.value_or(session.decimals), quiet, picture);
}
