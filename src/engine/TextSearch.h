#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvano {

// Text comparisons "without regard to letter case": ASCII letters fold, nothing else does.
namespace TextSearch {

std::size_t findIgnoringCase(std::string_view text, std::string_view part);
bool containsIgnoringCase(std::string_view text, std::string_view part);
// Every non-overlapping occurrence of from, matched exactly, becomes to.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
std::size_t characterCount(std::string_view utf8);

} // namespace TextSearch

} // namespace corvano
