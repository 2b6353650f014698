#include "AnsiCodec.h"

#include "AnsiFallback.h"
#include "CharsetDecoder.h"
#include "IconvConverter.h"
#include "Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace corvano {

namespace {

bool isLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

} // namespace

const char* AnsiCodec::codePageName()
{
    return "GBK";
}

std::string AnsiCodec::encode(std::string_view utf8, Fallback fallback)
{
    IconvConverter converter(codePageName(), "UTF-8");
    if (!converter.isValid())
        throw std::runtime_error("the system cannot convert text to GBK");
    std::string out;
    out.reserve(utf8.size());
    while (converter.convert(utf8, out) != IconvConverter::Stop::Done) {
        // One character (or one ill-formed byte) the code page cannot take.
        const std::size_t length = std::max<std::size_t>(1, Utf8::sequenceLength(utf8));
        appendAnsiFallback(out, utf8.substr(0, length), fallback);
        utf8.remove_prefix(length);
    }
    return out;
}

std::string AnsiCodec::decode(std::string_view ansi)
{
    auto text = CharsetDecoder::decode(ansi, codePageName());
    if (!text)
        throw std::runtime_error("the system cannot convert text from GBK");
    return *text;
}

std::string_view AnsiCodec::truncate(std::string_view ansi, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < ansi.size()) {
        const bool pair =
            isLeadByte(static_cast<unsigned char>(ansi[end])) && end + 1 < ansi.size();
        const std::size_t next = end + (pair ? 2 : 1);
        if (next > maxBytes)
            break;
        end = next;
    }
    return ansi.substr(0, end);
}

} // namespace corvano
