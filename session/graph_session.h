#pragma once
// The graph window's work as a file: UTF-8 text, one "key = value" a line, the first line
// naming the format and its version. Everything the window needs to make the same table and
// picture: the function panel's texts as typed, the decimals and every plot setting.
//
//   quarnis-graph 1
//   function.definition = SIN(t)*c1
//   function.constant1.value = 2.5
//   curve.kind = 1                   a list read by index: its entry's index ...
//   axes.x-origin.text = 2/3         ... or, instead, a text of the user's own
//   curve.color = #ff0000
//   scale.x = \s1.0                  a leading space, escaped
//
// Values are written so that any text comes back exactly: "\\" a backslash, "\n" a line
// feed, "\r" a carriage return, "\t" a tab, "\s" a space (written for leading and trailing
// spaces, which the reader otherwise trims), "\uXXXX" a UTF-16 unit that UTF-8 cannot carry
// (a lone surrogate, or U+0000). Blank lines and lines starting with "#" are comments.
//
// Reading is all or nothing: unknown keys are ignored (a newer file opens in an older
// program), a key that is missing keeps the window's start state, and a value that a control
// cannot take, a line that is no "key = value", a file that is not text or whose first line
// is not the format (or of a newer major version) refuse the whole file.

#include "plot/plot_controls.h"
#include "tabulation/function_record.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace quarnis {

inline constexpr std::string_view kGraphSessionFormat = "quarnis-graph";
inline constexpr int kGraphSessionVersion = 1;
inline constexpr std::size_t kMaxGraphSessionBytes = std::size_t(1) << 20;
inline constexpr char16_t kGraphSessionSuffix[] = u"qgraf";

// The state of the graph window's controls; the defaults are its start state.
struct GraphSession {
    FuncPanelTexts panel;
    int decimals = 5; // scrSonuc, -1 to 9
    PlotControls plot;

    bool operator==(const GraphSession&) const = default;
};

// Why a file was refused: its line (from 1; 0 for the file as a whole) and the reason, in the
// program's language.
struct GraphSessionError {
    std::size_t line = 0;
    std::u16string reason;
};

std::string writeGraphSession(const GraphSession& session);

// The session in the file's bytes, or why it is refused.
std::variant<GraphSession, GraphSessionError> readGraphSession(std::string_view bytes);

} // namespace quarnis
