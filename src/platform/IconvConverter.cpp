#include "IconvConverter.h"

#include <array>
#include <cerrno>

namespace corvano {

IconvConverter::IconvConverter(const std::string& toCode, const std::string& fromCode)
    : m_cd(iconv_open(toCode.c_str(), fromCode.c_str()))
{}

IconvConverter::~IconvConverter()
{
    if (isValid())
        iconv_close(m_cd);
}

IconvConverter::Stop IconvConverter::convert(std::string_view& input, std::string& output)
{
    // No reset between calls: after an unconvertible sequence is skipped, the shift state
    // and a byte order read from a mark still hold for the rest of the input.
    std::array<char, 4096> buffer{};
    // iconv's interface is not const-correct; it never writes through the input pointer.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    for (;;) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        output.append(buffer.data(), buffer.size() - outLeft);
        input = std::string_view(in, inLeft);
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (error == E2BIG)
            continue;
        return error == EINVAL ? Stop::Incomplete : Stop::Invalid;
    }
    // Flush any shift state the target encoding keeps.
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    iconv(m_cd, nullptr, nullptr, &out, &outLeft);
    output.append(buffer.data(), buffer.size() - outLeft);
    return Stop::Done;
}

} // namespace corvano
