#include "UrlReference.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <initializer_list>

namespace corvano::UrlReference {

namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool hasScheme(std::string_view address)
{
    if (address.empty() || !isAsciiLetter(address.front()))
        return false;
    for (const char c : address.substr(1)) {
        if (c == ':')
            return true;
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

std::string cleaned(std::string_view address)
{
    const auto isEdge = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!address.empty() && isEdge(address.front()))
        address.remove_prefix(1);
    while (!address.empty() && isEdge(address.back()))
        address.remove_suffix(1);
    std::string reference;
    reference.reserve(address.size());
    for (const char c : address) {
        if (c == ' ')
            reference += "%20";
        else if (c != '\t' && c != '\n' && c != '\r')
            reference += c;
    }
    return reference;
}

bool isSpecialScheme(std::string_view scheme)
{
    const std::string lower = AsciiCase::lower(scheme);
    return std::ranges::any_of(
        std::initializer_list<std::string_view>{"http", "https", "ftp", "ws", "wss", "file"},
        [&lower](std::string_view special) { return lower == special; });
}

std::string browserForm(std::string_view reference, bool specialScheme)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    const std::size_t pathEnd = std::min(reference.find_first_of("?#"), reference.size());
    std::string form;
    form.reserve(reference.size());
    for (std::size_t i = 0; i < reference.size(); ++i) {
        const auto byte = static_cast<unsigned char>(reference[i]);
        if (byte == '\\' && specialScheme && i < pathEnd)
            form += '/';
        else if (byte >= 0x80)
            form.append({'%', kHex[byte >> 4], kHex[byte & 0xF]});
        else
            form += static_cast<char>(byte);
    }
    return form;
}

} // namespace corvano::UrlReference
