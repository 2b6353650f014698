#include "CharsetDecoder.h"

#include "IconvConverter.h"
#include "Utf8.h"
#include "platform/AsciiCase.h"

#include <algorithm>

namespace corvano {

namespace {

// The size of one code unit: an ill-formed unit is skipped whole, so decoding picks up
// again in step with the text instead of reading every later unit off by a byte.
std::size_t codeUnitSize(std::string charset)
{
    charset = AsciiCase::upper(charset);
    if (charset.starts_with("UTF-16") || charset.starts_with("UCS-2"))
        return 2;
    if (charset.starts_with("UTF-32") || charset.starts_with("UCS-4"))
        return 4;
    return 1;
}

} // namespace

std::optional<std::string> CharsetDecoder::decode(std::string_view bytes,
                                                  const std::string& charset)
{
    IconvConverter converter("UTF-8", charset);
    if (!converter.isValid())
        return std::nullopt;
    const std::size_t unit = codeUnitSize(charset);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (;;) {
        const auto stop = converter.convert(bytes, out);
        if (stop != IconvConverter::Stop::Invalid)
            break; // Done, or an incomplete sequence at the end, which is dropped
        Utf8::append(out, U'\uFFFD');
        bytes.remove_prefix(std::min(unit, bytes.size()));
    }
    // A converter that passes bytes through unchecked must still not leak bad UTF-8.
    return Utf8::isValid(out) ? out : Utf8::sanitize(out);
}

} // namespace corvano
