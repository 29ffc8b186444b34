#pragma once
// UTF-8 <-> UTF-16 for the command-line tool; malformed input becomes U+FFFD.

#include <string>
#include <string_view>

namespace quarnis {

std::u16string utf8ToUtf16(std::string_view in);
std::string utf16ToUtf8(std::u16string_view in);
void appendUtf8(std::string& out, std::u16string_view in);

} // namespace quarnis
