#include "platform/Utf8.h"
#include "settings/SavedSettings.h"

#include <cstddef>
#include <cstdint>

using namespace corvano;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    const auto texts = SavedSettings::restore(value);
    std::size_t length = 0;
    for (const auto& text : texts) {
        if (text.find("##") != std::string::npos)
            __builtin_trap(); // the separator never ends up inside a text
        length += text.size();
    }
    if (length > value.size())
        __builtin_trap();
    // Saving what was restored and restoring it again changes nothing, unless a text ends in
    // "#": the unescaped separator then cannot tell where that text ends.
    for (const auto& text : texts) {
        if (text.ends_with('#'))
            return 0;
    }
    if (SavedSettings::restore(SavedSettings::settingsValue(texts)) != texts)
        __builtin_trap();
    // The completion box, saved as a ninth piece, comes back without touching the texts.
    const auto values = SavedSettings::restoreValues(SavedSettings::settingsValue(texts, true));
    if (!values.completeAddresses || values.texts != texts)
        __builtin_trap();
    return 0;
}
