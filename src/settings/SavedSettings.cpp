#include "SavedSettings.h"

namespace corvano::SavedSettings {

std::string settingsValue(const Texts& texts)
{
    std::string value;
    for (const Field field : kFields) {
        if (field != Field::Address)
            value.append(kSeparator);
        value.append(texts[field]);
    }
    return value;
}

Texts restore(std::string_view value)
{
    Texts texts;
    const std::string_view separator = kSeparator;
    std::string_view rest = value;
    for (std::string& text : texts) {
        const auto end = rest.find(separator);
        text = rest.substr(0, end);
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + separator.size());
    }
    return texts;
}

Texts load(RecordFile& records, const std::string& path)
{
    const auto record = records.read(path, kKey);
    return record ? restore(record->value) : Texts{};
}

void save(RecordFile& records, const std::string& path, const Texts& texts)
{
    records.write(path, {kKey, settingsValue(texts), kNote});
}

} // namespace corvano::SavedSettings
