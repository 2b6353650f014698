#include "CliOptions.h"

#include "ExitCode.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;
using Args = std::vector<const char*>;

namespace {

struct Parsed
{
    std::variant<CliOptions, int> result; // the options, or the exit code
    std::string out, err;
};

Parsed parse(Args args)
{
    args.insert(args.begin(), "corvano-cli");
    std::ostringstream out, err;
    auto result = CliOptions::parse(static_cast<int>(args.size()), args.data(), out, err);
    return {std::move(result), out.str(), err.str()};
}

CliOptions options(const Args& args)
{
    return std::get<CliOptions>(parse(args).result);
}

} // namespace

TEST(CliOptions, EachOptionSetsItsTextOrSettingAndTemplateLineBreaksBecomeCrLf)
{
    const auto all =
        options({"--url",     "u",          "--folder", "f",      "--template", "t\n",
                 "--start",   "s",          "--end",    "e",      "--contains", "c",
                 "--replace", "r",          "--with",   "w",      "--dry-run",  "--html",
                 "h",         "--settings", "d",        "--save", "--timeout",  "7"});
    EXPECT_EQ(all.texts, (decltype(all.texts){"u", "f", "t\r\n", "s", "e", "c", "r", "w"}));
    EXPECT_TRUE(all.dryRun && all.save);
    EXPECT_EQ(all.htmlFile + all.settingsFile, "hd");
    EXPECT_EQ(all.idleLimit, std::chrono::seconds(7));
    // Options not given stay unset, to be taken from the record file.
    const auto bare = options({});
    EXPECT_FALSE(bare.texts[Field::Address] || bare.dryRun || bare.save || bare.completeAddresses);
    EXPECT_EQ(bare.idleLimit, std::chrono::seconds(60));
    EXPECT_EQ(options({"--absolute"}).completeAddresses, true);
    EXPECT_EQ(options({"--no-absolute"}).completeAddresses, false);
    EXPECT_EQ(options({"--open", "a.url", "b c.url"}).openFiles,
              (std::vector<std::string>{"a.url", "b c.url"}));
    // A template file's line breaks become CR LF too, and a UTF-8 byte-order mark is not part
    // of it; a file in another encoding is refused rather than written as question marks.
    corvano::test::TemporaryFolder folder;
    for (const auto& [bytes, text] : std::vector<std::pair<std::string, std::string>>{
             {"a\nb\r\nc\rd", "a\r\nb\r\nc\r\nd"},
             {"\xEF\xBB\xBF[InternetShortcut]\nURL=", "[InternetShortcut]\r\nURL="},
         }) {
        folder.write("t.txt", bytes);
        EXPECT_EQ(options({"--template-file", folder.file("t.txt").c_str()}).texts[Field::Template],
                  text);
    }
    folder.write("gbk.txt", "\xB4\xBA");
    const auto refused = parse({"--template-file", folder.file("gbk.txt").c_str()});
    EXPECT_EQ(std::get<int>(refused.result), 64);
    EXPECT_NE(refused.err.find(folder.file("gbk.txt") + " is not UTF-8"), std::string::npos);
    // Usage errors exit 64 and name the option at fault on stderr; help and version exit 0.
    for (const auto& [args, code, shown] : std::vector<std::tuple<Args, int, std::string>>{
             {{"--bogus"}, 64, "--bogus"},
             {{"--template-file", "/etc/hostname", "--template", "a"}, 64, "--template"},
             {{"--template-file", "/no/such/file"}, 64, "/no/such/file"},
             {{"--timeout", "0"}, 64, "--timeout"},
             {{"--help"}, 0, "(the window's \"列表网址\")"}, // the field as the window names it
             {{"--version"}, 0, "1.0.0"},
         }) {
        const auto parsed = parse(args);
        EXPECT_EQ(std::get<int>(parsed.result), code) << args[0];
        EXPECT_NE((code == 0 ? parsed.out : parsed.err).find(shown), std::string::npos) << args[0];
    }
}
