#pragma once

#include <string>
#include <string_view>

namespace corvano {

// Turns the page bytes into UTF-8 text by the charset the page is in.
class PageDecoder
{
public:
    // The charset, in this order: the response's Content-Type, a byte-order mark, a <meta>
    // declaration in the first 1024 bytes, else the ANSI code page. An unknown name falls
    // back to the ANSI code page.
    static std::string decode(std::string_view bytes, std::string_view contentType);
    static std::string charsetOf(std::string_view bytes, std::string_view contentType);
    static std::string charsetParameter(std::string_view text);
    static std::string metaCharset(std::string_view bytes);
};

} // namespace corvano
