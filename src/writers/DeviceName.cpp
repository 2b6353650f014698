#include "DeviceName.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <array>

namespace corvano {

namespace {

char upper(char c)
{
    return AsciiCase::toUpper(c);
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return upper(x) == upper(y); });
}

// A port's number: a digit other than 0, or the superscript 1, 2 or 3 (in UTF-8).
bool isPortNumber(std::string_view number)
{
    if (number.size() == 1)
        return number[0] >= '1' && number[0] <= '9';
    return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

} // namespace

bool DeviceName::isReserved(std::string_view part)
{
    constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN",    "AUX",
                                                        "NUL", "CONIN$", "CONOUT$"};
    if (std::ranges::any_of(kPlain, [part](auto name) { return equalIgnoringCase(part, name); }))
        return true;
    return part.size() > 3 &&
           (equalIgnoringCase(part.substr(0, 3), "COM") ||
            equalIgnoringCase(part.substr(0, 3), "LPT")) &&
           isPortNumber(part.substr(3));
}

std::string DeviceName::mend(const std::string& name)
{
    std::string_view part = std::string_view(name).substr(0, name.find('.'));
    while (part.ends_with(' '))
        part.remove_suffix(1);
    if (!isReserved(part))
        return name;
    return std::string(part) + "-" + name.substr(part.size());
}

} // namespace corvano
