#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvano {

// The system's ANSI code page, in which text files and the record file are written.
// On Linux it is GBK (code page 936).
namespace AnsiCodec {

// What a character the code page cannot represent becomes.
enum class Fallback
{
    QuestionMark,      // "?"
    PercentUtf8,       // its UTF-8 bytes as %XX, for addresses
    CharacterReference // &#x...; for HTML
};

const char* codePageName();
std::string encode(std::string_view utf8, Fallback fallback = Fallback::QuestionMark);
std::string decode(std::string_view ansi);
// The longest prefix of at most maxBytes that does not split a double-byte character.
std::string_view truncate(std::string_view ansi, std::size_t maxBytes);

} // namespace AnsiCodec

} // namespace corvano
