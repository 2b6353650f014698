#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace corvano {

// Reads the tags of a page the way browsers do before they parse it: comments (one left open
// runs to the end) and the attributes of other tags are stepped over whole, so a mere mention
// of a tag inside them counts for nothing. The <meta> and <base> lookups share it.
namespace MarkupTags {

// A tag's attribute names in lower case with their values; the first of a name counts.
using Attributes = std::map<std::string, std::string_view>;

// Calls visit with the attributes of each tag named name (any letter case), in page order,
// until visit returns true.
void find(std::string_view html, std::string_view name,
          const std::function<bool(const Attributes&)>& visit);

} // namespace MarkupTags

} // namespace corvano
