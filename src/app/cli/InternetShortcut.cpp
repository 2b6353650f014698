#include "InternetShortcut.h"

#include "platform/AnsiCodec.h"
#include "platform/AsciiCase.h"
#include "platform/Utf8.h"

#include <array>

namespace corvano {

namespace {

constexpr std::string_view kSection = "[internetshortcut]";
constexpr std::string_view kKey = "url";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";
constexpr std::array<std::string_view, 3> kWebSchemes{"http", "https", "ftp"};

std::string_view trimmed(std::string_view text)
{
    const auto start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

// The next line without its end (LF, CR LF or a lone CR); removed from rest.
std::string_view takeLine(std::string_view& rest)
{
    const auto end = rest.find_first_of("\r\n");
    const std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = {};
        return line;
    }
    const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
    rest.remove_prefix(end + (crlf ? 2 : 1));
    return line;
}

std::string asUtf8(std::string_view value)
{
    return Utf8::isValid(value) ? std::string(value) : AnsiCodec::decode(value);
}

} // namespace

std::optional<std::string> InternetShortcut::address(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    bool inSection = false;
    while (!bytes.empty()) {
        const std::string_view line = trimmed(takeLine(bytes));
        if (line.starts_with('[')) {
            inSection = AsciiCase::lower(line) == kSection;
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos ||
            AsciiCase::lower(trimmed(line.substr(0, equals))) != kKey)
            continue;
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (value.empty())
            return std::nullopt;
        return asUtf8(value);
    }
    return std::nullopt;
}

bool InternetShortcut::isWebAddress(std::string_view address)
{
    for (const char c : address) {
        // Control characters have no place in an address; a desktop could read them apart.
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    }
    const auto colon = address.find("://");
    if (colon == std::string_view::npos || colon + 3 == address.size() || address[colon + 3] == '/')
        return false;
    const std::string scheme = AsciiCase::lower(address.substr(0, colon));
    for (const std::string_view web : kWebSchemes) {
        if (scheme == web)
            return true;
    }
    return false;
}

} // namespace corvano
