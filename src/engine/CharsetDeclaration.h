#pragma once

#include "WebEncoding.h"

#include <optional>
#include <string_view>

namespace corvano {

// Finds the encoding a page declares for itself, reading the markup the way browsers do
// before they parse a page.
namespace CharsetDeclaration {

// The encoding named by "charset=" in a Content-Type value (a header, or the content of
// a <meta http-equiv>); nothing when there is none or browsers do not know its label.
std::optional<WebEncoding> fromContentType(std::string_view value);
// The first <meta> in head that really declares a known encoding: a charset attribute,
// or the content of a http-equiv="Content-Type". Comments and the attributes of other
// tags are passed over, so a mere mention of "charset" counts for nothing.
std::optional<WebEncoding> fromMeta(std::string_view head);

} // namespace CharsetDeclaration

} // namespace corvano
