#pragma once

#include <string>
#include <string_view>

namespace corvano {

// Turns the page bytes into UTF-8 text by the encoding the page is in, chosen as browsers
// choose it.
namespace PageDecoder {

// The encoding, in this order: a byte-order mark (whatever else the page says); the
// response's Content-Type; a <meta> declaration in the first 1024 bytes; else the ANSI
// code page. A label browsers do not know is passed over.
std::string decode(std::string_view bytes, std::string_view contentType);
// The standard name of that encoding, such as "UTF-8" or "GBK".
std::string charsetOf(std::string_view bytes, std::string_view contentType);

} // namespace PageDecoder

} // namespace corvano
