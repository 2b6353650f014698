#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvano {

// Decodes bytes in a named charset into UTF-8 that is always well-formed.
namespace CharsetDecoder {

// An ill-formed code unit (one byte, or two in UTF-16, four in UTF-32) becomes U+FFFD; a
// multi-byte sequence cut off at the end is dropped. Returns nothing when the charset is
// unknown to the system.
std::optional<std::string> decode(std::string_view bytes, const std::string& charset);

} // namespace CharsetDecoder

} // namespace corvano
