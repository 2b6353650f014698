#pragma once

#include "RecordFile.h"
#include "engine/Field.h"

#include <string>
#include <string_view>

namespace corvano {

// The main window's eight input texts, kept between runs as one value under the key "CURL":
// the texts joined by "##", unescaped, so a text holding "##" comes back split in two.
namespace SavedSettings {

using Texts = FieldTexts;

inline constexpr const char* kKey = "CURL";
inline constexpr const char* kNote = "保存生成URL的设置值";
inline constexpr const char* kSeparator = "##";
// The check box "补全相对网址" follows the texts as a ninth piece "1" when it is on. Off adds
// nothing, so the value is the one older versions write and read.
inline constexpr const char* kCompleteAddressesOn = "1";

struct Values
{
    Texts texts;
    bool completeAddresses = false;
};

std::string settingsValue(const Texts& texts, bool completeAddresses = false);
// The texts from a stored value; extra pieces are ignored and missing ones leave their texts
// empty.
Texts restore(std::string_view value);
// The texts and the check box; a value without a ninth piece "1" has it off.
Values restoreValues(std::string_view value);

// path is the record file, db.dat. All throw FileError.
Texts load(RecordFile& records, const std::string& path);
Values loadValues(RecordFile& records, const std::string& path);
void save(RecordFile& records, const std::string& path, const Texts& texts,
          bool completeAddresses = false);

} // namespace SavedSettings

} // namespace corvano
