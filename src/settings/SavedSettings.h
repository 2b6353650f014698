#pragma once

#include "RecordFile.h"

#include <array>
#include <string>
#include <string_view>

namespace corvano {

// The main window's eight input texts, kept between runs as one value under the key "CURL":
// the texts joined by "##", unescaped, so a text holding "##" comes back split in two.
class SavedSettings
{
public:
    using Texts = std::array<std::string, 8>;

    static constexpr const char* Key = "CURL";
    static constexpr const char* Note = "保存生成URL的设置值";
    static constexpr const char* Separator = "##";

    // The check box "补全相对网址" follows the texts as a ninth piece "1" when it is on. Off
    // adds nothing, so the value is the one older versions write and read.
    static constexpr const char* CompleteAddressesOn = "1";

    struct Values
    {
        Texts texts;
        bool completeAddresses = false;
    };

    static std::string settingsValue(const Texts& texts, bool completeAddresses = false);
    // The texts from the result of a read of the record; extra pieces are ignored and
    // missing ones leave their texts empty.
    static Texts restore(std::string_view readResult);
    // The texts and the check box; a value without a ninth piece "1" has it off.
    static Values restoreValues(std::string_view readResult);

    // path is the program's folder followed by "/db.dat". All throw FileError.
    static Texts load(RecordFile& records, const std::string& path);
    static Values loadValues(RecordFile& records, const std::string& path);
    static void save(RecordFile& records, const std::string& path, const Texts& texts,
                     bool completeAddresses = false);
};

} // namespace corvano
