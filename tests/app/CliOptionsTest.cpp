#include "CliOptions.h"

#include "ExitCode.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;

namespace {

struct Parsed
{
    std::variant<CliOptions, int> result;
    std::string out;
    std::string err;
};

Parsed parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "corvano-cli");
    std::ostringstream out;
    std::ostringstream err;
    auto result = CliOptions::parse(static_cast<int>(args.size()), args.data(), out, err);
    return {std::move(result), out.str(), err.str()};
}

int exitCodeOf(const Parsed& parsed)
{
    return std::holds_alternative<int>(parsed.result) ? std::get<int>(parsed.result) : -1;
}

} // namespace

TEST(CliOptions, EachTextOptionSetsItsText)
{
    const auto parsed = parse({"--url", "u", "--folder", "f", "--template", "t", "--start", "s",
                               "--end", "e", "--contains", "c", "--replace", "r", "--with", "w"});
    const auto& options = std::get<CliOptions>(parsed.result);
    const std::array<const char*, 8> expected{"u", "f", "t", "s", "e", "c", "r", "w"};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(options.texts[i], expected[i]) << "Text" << i + 1;
}

TEST(CliOptions, OptionsNotGivenStayUnset)
{
    const auto options = std::get<CliOptions>(parse({"--url", "u"}).result);
    EXPECT_FALSE(options.texts[1].has_value());
    EXPECT_FALSE(options.dryRun);
    EXPECT_EQ(options.idleLimit, std::chrono::seconds(60));
}

TEST(CliOptions, TemplateLineBreaksBecomeCrLf)
{
    EXPECT_EQ(CliOptions::withCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    corvano::test::TemporaryFolder folder;
    folder.write("t.txt", "[InternetShortcut]\nURL=\n");
    const auto parsed = parse({"--template-file", folder.file("t.txt").c_str()});
    EXPECT_EQ(std::get<CliOptions>(parsed.result).texts[2], "[InternetShortcut]\r\nURL=\r\n");
}

// Usage errors
TEST(CliOptions, UsageErrorsExitWith64AndSayWhy)
{
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"--bogus"},
             {"--url"},
             {"--template", "a", "--template-file", "/etc/hostname"},
             {"--template-file", "/no/such/file"},
             {"--timeout", "0"},
         }) {
        const auto parsed = parse(args);
        EXPECT_EQ(exitCodeOf(parsed), static_cast<int>(ExitCode::Usage)) << args[0];
        EXPECT_FALSE(parsed.err.empty()) << args[0];
    }
}

TEST(CliOptions, HelpAndVersionExitZero)
{
    const auto help = parse({"--help"});
    EXPECT_EQ(exitCodeOf(help), 0);
    EXPECT_NE(help.out.find("--dry-run"), std::string::npos);
    const auto version = parse({"--version"});
    EXPECT_EQ(exitCodeOf(version), 0);
    EXPECT_NE(version.out.find("1.0.0"), std::string::npos);
}
