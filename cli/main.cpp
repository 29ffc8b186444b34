// quarnis-calc: evaluates formulas as the calculator's EXEC does, one result line each.
//
//   quarnis-calc '2*sin(Pi/6)'        -> 1
//   quarnis-calc -d 2 -- -2.5+1       -> -1.5
//   printf '1/3\n(1+2\n' | quarnis-calc -> 0.333333333 / Geçersiz parantez... (exit 1)
//   quarnis-calc --tabulate --def 't*t' --steps 2 -> [0]:(0,0) [1]:(5,25) [2]:(10,100)
//
// Exit status: 0 when every formula gave a number, 1 when a line shows an error text or
// --tabulate refuses a field, 2 for a wrong command line.

#include "engine/exec_text.h"
#include "engine/runtime_error.h"
#include "engine/utf.h"
#include "progress_line.h"
#include "tabulation/function_record.h"

#include <getopt.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

namespace {

constexpr const char* kProgram = "quarnis-calc";

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kHelp
    = "Usage: quarnis-calc [-d N] [--] [FORMULA...]\n"
      "       quarnis-calc --tabulate [--name F] [--var t] [--const NAME=VALUE]...\n"
      "                    [--def t] [--from 0] [--to 10] [--steps 100] [-d 5]\n"
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
      "  -d N              with --tabulate: decimals of the listed values, 0 to 9, or -1\n"
      "                    to round to tens (default 5)\n"
      "\n"
      "Exit status: 0 when every formula gave a number, 1 when a line shows an error\n"
      "text or --tabulate refuses a field (the refusal goes to standard error), 2 for a\n"
      "wrong option.\n";

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
        out += quarnis::Utf16ToUtf8(
            quarnis::ExecText(quarnis::Utf8ToUtf16(formula), decimals, &reported));
    } catch (const quarnis::RuntimeError& e) {
        out += e.what();
        reported = true;
    }
    out += '\n';
    return !reported;
}

// Writes the lines to standard output in blocks.
class LinePrinter : public quarnis::TabulationOutput {
public:
    explicit LinePrinter(int decimals)
        : decimals_(decimals)
    {
    }
    ~LinePrinter() { flush(); }
    int Decimals() override { return decimals_; }
    bool Progress(unsigned done, unsigned total) override
    {
        progress_.Update(done, total);
        return true;
    }
    void Append(std::u16string line, bool failed) override
    {
        anyFailed_ = anyFailed_ || failed;
        quarnis::AppendUtf8(out_, line);
        out_ += '\n';
        if (out_.size() >= (1 << 16))
            flush();
    }
    // Whether a listed line shows an error text.
    bool anyFailed() const { return anyFailed_; }
    void flush()
    {
        progress_.Erase();
        std::fwrite(out_.data(), 1, out_.size(), stdout);
        out_.clear();
    }

private:
    int decimals_;
    bool anyFailed_ = false;
    std::string out_;
    quarnis::ProgressLine progress_ { stderr };
};

int tabulate(const quarnis::FuncPanelTexts& panel, int decimals)
{
    quarnis::TFunc func;
    LinePrinter printer(decimals);
    try {
        quarnis::StorePanel(func, panel);
        func.Tabulate(printer);
    } catch (const quarnis::RuntimeError& e) {
        printer.flush(); // the lines before the failing point, as the window keeps them
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", kProgram, e.what());
        return kExitFailed;
    }
    return printer.anyFailed() ? kExitFailed : kExitOk;
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
enum : int { kTabulate = 256, kName, kVar, kConst, kDef, kFrom, kTo, kSteps };

constexpr option kOptions[] = {
    { "decimals", required_argument, nullptr, 'd' },
    { "help", no_argument, nullptr, 'h' },
    { "version", no_argument, nullptr, 'v' },
    { "tabulate", no_argument, nullptr, kTabulate },
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
    quarnis::FuncPanelTexts panel;
    std::u16string* constNames[] = { &panel.const1, &panel.const2, &panel.const3 };
    std::u16string* constValues[] = { &panel.value1, &panel.value2, &panel.value3 };
    int constants = 0;
    std::optional<int> decimals;
    bool tabulation = false;
    const char* panelOption = nullptr; // the first option that only --tabulate reads

    // getopt_long reports a wrong option itself, naming the program by argv[0]; the name
    // the user types reads better there than the path the program was started by.
    argv[0] = const_cast<char*>(kProgram);
    int c;
    int index = -1;
    while ((c = getopt_long(argc, argv, "d:hv", kOptions, &index)) != -1) {
        if (c >= kName)
            panelOption = kOptions[index].name;
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
        case kName:
            panel.name = quarnis::Utf8ToUtf16(optarg);
            break;
        case kVar:
            panel.var = quarnis::Utf8ToUtf16(optarg);
            break;
        case kConst: {
            const char* eq = std::strchr(optarg, '=');
            if (!eq)
                return usageError(std::string("--const needs NAME=VALUE, not '") + optarg + "'");
            if (constants == 3)
                return usageError("at most three --const");
            *constNames[constants] = quarnis::Utf8ToUtf16(std::string_view(optarg, eq - optarg));
            *constValues[constants] = quarnis::Utf8ToUtf16(eq + 1);
            ++constants;
            break;
        }
        case kDef:
            panel.definition = quarnis::Utf8ToUtf16(optarg);
            break;
        case kFrom:
            panel.x1 = quarnis::Utf8ToUtf16(optarg);
            break;
        case kTo:
            panel.x2 = quarnis::Utf8ToUtf16(optarg);
            break;
        case kSteps:
            panel.sample = quarnis::Utf8ToUtf16(optarg);
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
    return tabulate(panel, decimals.value_or(5));
}
