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

std::string settingsValue(const Texts& texts);
// The texts from a stored value; extra pieces are ignored and missing ones leave their texts
// empty.
Texts restore(std::string_view value);

// path is the record file, db.dat. Both throw FileError.
Texts load(RecordFile& records, const std::string& path);
void save(RecordFile& records, const std::string& path, const Texts& texts);

} // namespace SavedSettings

} // namespace corvano
