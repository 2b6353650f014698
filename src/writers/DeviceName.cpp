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

} // namespace

bool DeviceName::isReserved(std::string_view part)
{
    constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    if (std::ranges::any_of(kPlain, [part](auto name) { return equalIgnoringCase(part, name); }))
        return true;
    // COM1-COM9 and LPT1-LPT9: a digit other than 0 after the port name.
    return part.size() == 4 &&
           (equalIgnoringCase(part.substr(0, 3), "COM") ||
            equalIgnoringCase(part.substr(0, 3), "LPT")) &&
           part[3] >= '1' && part[3] <= '9';
}

std::string DeviceName::mend(const std::string& name)
{
    const std::size_t dot = std::min(name.find('.'), name.size());
    if (!isReserved(std::string_view(name).substr(0, dot)))
        return name;
    return name.substr(0, dot) + "-" + name.substr(dot);
}

} // namespace corvano
