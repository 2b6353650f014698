#include "SavedSettings.h"

namespace corvano {

namespace {

// The value lies between the first separator and the last: the key and the note are ours and
// hold none, so a text that contains "|$|" does not end the value early.
std::string_view valueOf(std::string_view readResult)
{
    const std::string_view separator = RecordFile::ResultSeparator;
    const auto start = readResult.find(separator);
    if (start == std::string_view::npos)
        return {};
    const auto valueStart = start + separator.size();
    const auto end = readResult.rfind(separator);
    return end >= valueStart ? readResult.substr(valueStart, end - valueStart)
                             : readResult.substr(valueStart);
}

} // namespace

std::string SavedSettings::settingsValue(const Texts& texts, bool completeAddresses)
{
    std::string value = texts[0];
    for (std::size_t i = 1; i < texts.size(); ++i)
        value.append(Separator).append(texts[i]);
    if (completeAddresses)
        value.append(Separator).append(CompleteAddressesOn);
    return value;
}

SavedSettings::Texts SavedSettings::restore(std::string_view readResult)
{
    return restoreValues(readResult).texts;
}

SavedSettings::Values SavedSettings::restoreValues(std::string_view readResult)
{
    Values values;
    const std::string_view separator = Separator;
    std::string_view rest = valueOf(readResult);
    for (std::string& text : values.texts) {
        const auto end = rest.find(separator);
        text = rest.substr(0, end);
        if (end == std::string_view::npos)
            return values;
        rest.remove_prefix(end + separator.size());
    }
    values.completeAddresses = rest.substr(0, rest.find(separator)) == CompleteAddressesOn;
    return values;
}

SavedSettings::Texts SavedSettings::load(RecordFile& records, const std::string& path)
{
    return loadValues(records, path).texts;
}

SavedSettings::Values SavedSettings::loadValues(RecordFile& records, const std::string& path)
{
    return restoreValues(records.DbRecord(path, Key, RecordFile::ReadMode, {}, {}));
}

void SavedSettings::save(RecordFile& records, const std::string& path, const Texts& texts,
                         bool completeAddresses)
{
    records.DbRecord(path, Key, RecordFile::WriteMode, settingsValue(texts, completeAddresses),
                     Note);
}

} // namespace corvano
