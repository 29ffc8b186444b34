// quarnis-calc: evaluates formulas as the calculator's EXEC does, one result line each.
//
//   quarnis-calc '2*sin(Pi/6)'        -> 1
//   quarnis-calc -d 2 -- -2.5+1       -> -1.5
//   printf '1/3\n(1+2\n' | quarnis-calc -> 0.333333333 / Geçersiz parantez...

#include "exec_text.h"
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
      "  Evaluates each FORMULA, or each line of standard input when none is\n"
      "  given, and prints the result as the calculator shows it.\n"
      "  -d N   round to N decimals (0 to 9; -1: unrounded, the default)\n"
      "  --     end of options, so that a formula may begin with \"-\"\n";

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

} // namespace

int main(int argc, char** argv)
{
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
