#include "AnsiFallback.h"

#include "Utf8.h"

#include <cstdio>

namespace corvano {

void appendAnsiFallback(std::string& out, std::string_view sequence, AnsiCodec::Fallback fallback)
{
    char buffer[16];
    switch (fallback) {
    case AnsiCodec::Fallback::QuestionMark:
        out += '?';
        break;
    case AnsiCodec::Fallback::PercentUtf8:
        for (const char c : sequence) {
            std::snprintf(buffer, sizeof buffer, "%%%02X", static_cast<unsigned char>(c));
            out += buffer;
        }
        break;
    case AnsiCodec::Fallback::CharacterReference: {
        const char32_t cp = Utf8::sequenceLength(sequence) ? Utf8::decodeFront(sequence) : 0xFFFD;
        std::snprintf(buffer, sizeof buffer, "&#x%X;", static_cast<unsigned>(cp));
        out += buffer;
        break;
    }
    }
}

} // namespace corvano
