#include "SavedSettings.h"

namespace corvano::SavedSettings {

std::string settingsValue(const Texts& texts, bool completeAddresses)
{
    std::string value;
    for (const Field field : kFields) {
        if (field != Field::Address)
            value.append(kSeparator);
        value.append(texts[field]);
    }
    if (completeAddresses)
        value.append(kSeparator).append(kCompleteAddressesOn);
    return value;
}

Texts restore(std::string_view value)
{
    return restoreValues(value).texts;
}

Values restoreValues(std::string_view value)
{
    Values values;
    const std::string_view separator = kSeparator;
    std::string_view rest = value;
    for (std::string& text : values.texts) {
        const auto end = rest.find(separator);
        text = rest.substr(0, end);
        if (end == std::string_view::npos)
            return values;
        rest.remove_prefix(end + separator.size());
    }
    values.completeAddresses = rest.substr(0, rest.find(separator)) == kCompleteAddressesOn;
    return values;
}

Texts load(RecordFile& records, const std::string& path)
{
    return loadValues(records, path).texts;
}

Values loadValues(RecordFile& records, const std::string& path)
{
    const auto record = records.read(path, kKey);
    return record ? restoreValues(record->value) : Values{};
}

void save(RecordFile& records, const std::string& path, const Texts& texts, bool completeAddresses)
{
    records.write(path, {kKey, settingsValue(texts, completeAddresses), kNote});
}

} // namespace corvano::SavedSettings
