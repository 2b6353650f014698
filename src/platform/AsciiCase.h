#pragma once

#include <string>
#include <string_view>

namespace corvano {

// Letter case of ASCII letters only. Charset labels, tag and attribute names, schemes and
// device names ignore case this way whatever the user's locale (std::tolower follows it, and
// a Turkish locale folds "I" to a dotless i).
namespace AsciiCase {

constexpr char toLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char toUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = toLower(c);
    return out;
}

inline std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = toUpper(c);
    return out;
}

} // namespace AsciiCase

} // namespace corvano
