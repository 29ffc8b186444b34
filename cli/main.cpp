// quarnis-calc: evaluates formulas as the calculator's EXEC does, one result line each.
//
//   quarnis-calc '2*sin(Pi/6)'        -> 1
//   quarnis-calc -d 2 -- -2.5+1       -> -1.5
//   printf '1/3\n(1+2\n' | quarnis-calc -> 0.333333333 / Geçersiz parantez...
//   quarnis-calc --tabulate --def 't*t' --steps 2 -> [0]:(0,0) [1]:(5,25) [2]:(10,100)

#include "exec_text.h"
#include "func.h"
#include "runtime_error.h"
#include "unit_calc.h"
#include "utf.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage
    = "usage: quarnis-calc [-d N] [--] [FORMULA...]\n"
      "       quarnis-calc --tabulate [--name F] [--var t] [--const NAME=VALUE]...\n"
      "                    [--def t] [--from 0] [--to 10] [--steps 100] [-d 5]\n"
      "  Evaluates each FORMULA, or each line of standard input when none is\n"
      "  given, and prints the result as the calculator shows it.\n"
      "  -d N   round to N decimals (0 to 9; -1: unrounded, the default)\n"
      "  --     end of options, so that a formula may begin with \"-\"\n"
      "  --tabulate  prints the result lines [i]:(x,f(x)) of the graph window's\n"
      "         HESAPLA for the function panel given by the options (up to three\n"
      "         --const, filling the constants in order); -d N rounds the listed\n"
      "         values to N decimals (-1 to tens, 5 by default). A field that the\n"
      "         window refuses is reported on standard error with exit code 1.\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

bool parseDecimals(const char* text, int& decimals)
{
    if (std::strcmp(text, "-1") == 0) {
        decimals = -1;
        return true;
    }
    if (text[0] >= '0' && text[0] <= '9' && text[1] == '\0') {
        decimals = text[0] - '0';
        return true;
    }
    return false;
}

void show(const std::string& formula, int decimals, std::string& out)
{
    try {
        out += quarnis::Utf16ToUtf8(quarnis::ExecText(quarnis::Utf8ToUtf16(formula), decimals));
    } catch (const quarnis::RuntimeError& e) {
        out += e.what();
    }
    quarnis::CalcError = false;
    out += '\n';
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
    void Append(std::u16string line) override
    {
        quarnis::AppendUtf8(out_, line);
        out_ += '\n';
        if (out_.size() >= (1 << 16))
            flush();
    }
    void flush()
    {
        std::fwrite(out_.data(), 1, out_.size(), stdout);
        out_.clear();
    }

private:
    int decimals_;
    std::string out_;
};

int tabulate(int argc, char** argv)
{
    quarnis::FuncPanelTexts panel;
    std::u16string* constNames[] = { &panel.const1, &panel.const2, &panel.const3 };
    std::u16string* constValues[] = { &panel.value1, &panel.value2, &panel.value3 };
    int constants = 0;
    int decimals = 5;
    const struct {
        const char* option;
        std::u16string* field;
    } fields[]
        = { { "--name", &panel.name }, { "--var", &panel.var }, { "--def", &panel.definition },
              { "--from", &panel.x1 }, { "--to", &panel.x2 }, { "--steps", &panel.sample } };
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--tabulate") == 0)
            continue;
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (i + 1 >= argc)
            return usage();
        const char* value = argv[++i];
        if (std::strcmp(arg, "-d") == 0) {
            if (!parseDecimals(value, decimals))
                return usage();
        } else if (std::strcmp(arg, "--const") == 0) {
            const char* eq = std::strchr(value, '=');
            if (!eq || constants == 3)
                return usage();
            *constNames[constants] = quarnis::Utf8ToUtf16(std::string_view(value, eq - value));
            *constValues[constants] = quarnis::Utf8ToUtf16(eq + 1);
            ++constants;
        } else {
            std::u16string* field = nullptr;
            for (const auto& f : fields)
                if (std::strcmp(arg, f.option) == 0)
                    field = f.field;
            if (!field)
                return usage();
            *field = quarnis::Utf8ToUtf16(value);
        }
    }

    quarnis::TFunc func;
    LinePrinter printer(decimals);
    try {
        quarnis::StorePanel(func, panel);
        func.Tabulate(printer);
    } catch (const quarnis::RuntimeError& e) {
        printer.flush(); // the lines before the failing point, as the window keeps them
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

bool wantsTabulation(int argc, char** argv)
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        if (std::strcmp(argv[i], "--tabulate") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (wantsTabulation(argc, argv))
        return tabulate(argc, argv);
    int decimals = -1;
    std::vector<std::string> formulas;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (options && std::strcmp(arg, "--") == 0) {
            options = false;
        } else if (options && std::strcmp(arg, "-d") == 0) {
            if (i + 1 >= argc || !parseDecimals(argv[++i], decimals))
                return usage();
        } else if (options && std::strncmp(arg, "-d", 2) == 0 && arg[2] != '\0') {
            if (!parseDecimals(arg + 2, decimals))
                return usage();
        } else if (options && (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0)) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (options && arg[0] == '-' && arg[1] != '\0') {
            return usage();
        } else {
            formulas.emplace_back(arg);
        }
    }

    std::string out;
    if (!formulas.empty()) {
        for (const std::string& f : formulas)
            show(f, decimals, out);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back(); // a CR LF line end is not part of the formula
        show(line, decimals, out);
        if (out.size() >= (1 << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
