#include "Utf8.h"

namespace corvano {

namespace {

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

std::size_t Utf8::sequenceLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto c0 = static_cast<unsigned char>(text[0]);
    if (c0 < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c0 >= 0xC2 && c0 <= 0xDF) {
        length = 2;
    } else if (c0 >= 0xE0 && c0 <= 0xEF) {
        length = 3;
        if (c0 == 0xE0)
            low = 0xA0; // overlong
        if (c0 == 0xED)
            high = 0x9F; // surrogates
    } else if (c0 >= 0xF0 && c0 <= 0xF4) {
        length = 4;
        if (c0 == 0xF0)
            low = 0x90;
        if (c0 == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    const auto c1 = static_cast<unsigned char>(text[1]);
    if (c1 < low || c1 > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i])))
            return 0;
    }
    return length;
}

char32_t Utf8::decodeFront(std::string_view text)
{
    const std::size_t length = sequenceLength(text);
    const auto c0 = static_cast<unsigned char>(text[0]);
    if (length == 1)
        return c0;
    static constexpr unsigned char leadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t cp = c0 & leadMask[length];
    for (std::size_t i = 1; i < length; ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return cp;
}

void Utf8::append(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool Utf8::isValid(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

std::string Utf8::sanitize(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        if (length == 0) {
            append(out, U'\uFFFD');
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

} // namespace corvano
