#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvano {

// The few UTF-8 facts the code page and file-name rules need.
namespace Utf8 {

// Length of the well-formed sequence at the front of text, or 0 when it is not one.
std::size_t sequenceLength(std::string_view text);
// Decodes the well-formed sequence at the front of text (sequenceLength must be > 0).
char32_t decodeFront(std::string_view text);
void append(std::string& out, char32_t codePoint);
bool isValid(std::string_view text);
// Replaces every ill-formed byte with U+FFFD.
std::string sanitize(std::string_view text);

} // namespace Utf8

} // namespace corvano
