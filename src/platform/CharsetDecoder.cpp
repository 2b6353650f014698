#include "CharsetDecoder.h"

#include "IconvConverter.h"
#include "Utf8.h"

namespace corvano {

std::optional<std::string> CharsetDecoder::decode(std::string_view bytes,
                                                  const std::string& charset)
{
    IconvConverter converter("UTF-8", charset);
    if (!converter.isValid())
        return std::nullopt;
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (;;) {
        const auto stop = converter.convert(bytes, out);
        if (stop != IconvConverter::Stop::Invalid)
            break; // Done, or an incomplete sequence at the end, which is dropped
        Utf8::append(out, U'\uFFFD');
        bytes.remove_prefix(1);
    }
    // A converter that passes bytes through unchecked must still not leak bad UTF-8.
    return Utf8::isValid(out) ? out : Utf8::sanitize(out);
}

} // namespace corvano
