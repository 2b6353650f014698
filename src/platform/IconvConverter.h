#pragma once

#include <iconv.h>
#include <string>
#include <string_view>

namespace corvano {

// Owns one iconv conversion descriptor. Converts in steps so callers decide what an
// unconvertible or cut-off sequence becomes.
class IconvConverter
{
public:
    enum class Stop
    {
        Done,
        Invalid,
        Incomplete
    };

    IconvConverter(const std::string& toCode, const std::string& fromCode);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool isValid() const { return m_cd != invalidDescriptor(); }

    // Converts from the front of input into output until the input ends or a sequence cannot
    // be converted; input is left starting at that sequence. Call again to go on from there.
    Stop convert(std::string_view& input, std::string& output);

private:
    static iconv_t invalidDescriptor() { return reinterpret_cast<iconv_t>(-1); }

    iconv_t m_cd;
};

} // namespace corvano
