#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace corvano::fuzz {

// Splits one fuzz input into fields at NUL bytes, so a target can take several strings.
inline std::vector<std::string> fields(const std::uint8_t* data, std::size_t size,
                                       std::size_t count)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> out;
    while (out.size() + 1 < count) {
        const auto nul = rest.find('\0');
        out.emplace_back(rest.substr(0, nul));
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    }
    out.emplace_back(rest);
    return out;
}

// Names the broken property before stopping, so a crash report says what went wrong.
[[noreturn]] inline void violated(const char* what)
{
    std::fputs(what, stderr);
    std::fputc('\n', stderr);
    __builtin_trap();
}

} // namespace corvano::fuzz
