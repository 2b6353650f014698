#include "FuzzInput.h"
#include "engine/PageDecoder.h"
#include "platform/Utf8.h"

using namespace corvano;

// Input: a Content-Type header and the page bytes, separated by a NUL byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto in = fuzz::fields(data, size, 2);
    if (!Utf8::isValid(PageDecoder::decode(in[1], in[0])))
        fuzz::violated("decoding always yields well-formed UTF-8");
    return 0;
}
