#pragma once
// Small text helpers of the network classes: their texts are byte strings
// (host names, header lines), trimmed and cased byte by byte in ASCII.

#include <string>
#include <string_view>

namespace nettext {

// Without the characters up to and including blanks and control characters at both ends.
std::string Trim(std::string_view text);
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
inline bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

}  // namespace nettext
