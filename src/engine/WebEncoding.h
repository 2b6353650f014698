#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvano {

// A character encoding as browsers know it: found from any of the labels pages and servers
// use for it, and decoded the way browsers decode it.
class WebEncoding
{
public:
    // The encoding a label names, after trimming whitespace and ignoring case; nothing for a
    // label browsers do not know.
    static std::optional<WebEncoding> fromLabel(std::string_view label);

    // The encoding's standard name, such as "UTF-8", "GBK" or "windows-1252".
    const std::string& name() const { return m_name; }
    // UTF-8 text, always well-formed; nothing when the system cannot convert this encoding.
    std::optional<std::string> decode(std::string_view bytes) const;

private:
    WebEncoding(std::string name, std::string converterName)
        : m_name(std::move(name)), m_converterName(std::move(converterName))
    {}

    std::string m_name;
    std::string m_converterName; // the name iconv knows it by
};

} // namespace corvano
