#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvano {

// Reading the address back out of a shortcut file, as the desktop would before opening it.
namespace InternetShortcut {

// The value of the first URL= line in the [InternetShortcut] section, as UTF-8: key and section
// in any letter case, CR LF or LF line ends, the bytes in the ANSI code page or, when they are
// valid, UTF-8. Nothing when the section or its address is missing or empty.
std::optional<std::string> address(std::string_view bytes);

// True for http, https and ftp addresses with a host: the only ones opened, since a shortcut
// can come from any web page and another scheme could start a program or read a local file.
bool isWebAddress(std::string_view address);

} // namespace InternetShortcut

} // namespace corvano
