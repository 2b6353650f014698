#include "UrlReference.h"

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

} // namespace corvano::UrlReference
