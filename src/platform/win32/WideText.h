#pragma once

#include <string>
#include <string_view>

namespace corvano {

// UTF-8, the program's text, to and from UTF-16, the Windows API's. Ill-formed UTF-8 becomes
// U+FFFD, a lone surrogate U+FFFD.
namespace WideText {

std::wstring fromUtf8(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

} // namespace WideText

} // namespace corvano
