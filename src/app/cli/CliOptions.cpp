#include "CliOptions.h"

#include "ExitCode.h"
#include "platform/Utf8.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <sstream>

namespace corvano {

namespace {

// The manual page is made from this help, so it carries the exit statuses and an example.
constexpr const char* kFooter = R"(Exit status:
  0   the shortcut files were written (or, with --dry-run, the links listed)
  1   no link passed the filter
  2   the address is wrong or the page could not be fetched
  3   the start or end string is not on the page
  4   a file could not be written
  5   the record file could not be read or written
  64  a usage error, or a template without "URL=" (the shortcuts would open nothing)
  With --open: 0 every shortcut was opened, 2 one could not be read, held no address, or held
  one that is not an http, https or ftp address.

Examples:
  Write one shortcut per news link of a page into ~/links/ and its HTML list beside it:

    corvano-cli --url http://example.com/list.html --folder ~/links/ \
        --template $'[InternetShortcut]\nURL=' --start '<ul class="news">' \
        --end '</ul>' --contains .html --html ~/links.html)";

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The file is UTF-8; editors that mark it so put a byte-order mark first, which belongs to
// the file, not to the template.
std::string readTemplateFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file)
        throw CLI::ValidationError("--template-file", "cannot read " + path);
    std::string contents = text.str();
    if (contents.starts_with(kByteOrderMark))
        contents.erase(0, kByteOrderMark.size());
    if (!Utf8::isValid(contents))
        throw CLI::ValidationError("--template-file", path + " is not UTF-8 text");
    return contents;
}

struct TextOption
{
    Field field;
    const char* name;
    const char* help;
};

constexpr std::array<TextOption, kFields.size()> kTextOptions{{
    {Field::Address, "--url", "address of the list page (the window's \"列表网址\")"},
    {Field::Folder, "--folder",
     "target folder; ends with / to place the files inside it (\"目标文件夹\")"},
    {Field::Template, "--template",
     "content of every shortcut; \"URL=\" receives the address (\"URL文件内容\")"},
    {Field::Start, "--start", "start string that bounds the list on the page (\"起始字符串\")"},
    {Field::End, "--end", "end string that bounds the list on the page (\"结束字符串\")"},
    {Field::Contains, "--contains", "string every wanted address must contain (\"URL包含字符串\")"},
    {Field::OldText, "--replace", "string to replace in each address (\"被替换字符串\")"},
    {Field::NewText, "--with", "its replacement (\"替换字符串\")"},
}};

// One option per text; returns the template's, which --template-file excludes.
CLI::Option* addTextOptions(CLI::App& app, CliOptions& options)
{
    CLI::Option* templateOption = nullptr;
    for (const TextOption& text : kTextOptions) {
        CLI::Option* option = app.add_option(text.name, options.texts[text.field], text.help);
        if (text.field == Field::Template)
            templateOption = option;
    }
    return templateOption;
}

} // namespace

std::string CliOptions::withCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the \n that follows writes the pair
        if (text[i] == '\n' || text[i] == '\r')
            out += "\r\n";
        else
            out += text[i];
    }
    return out;
}

std::variant<CliOptions, int> CliOptions::parse(int argc, const char* const* argv,
                                                std::ostream& out, std::ostream& err)
{
    CliOptions options;
    CLI::App app{"Turns a web page that lists links into Internet-shortcut files.", "corvano-cli"};
    app.set_version_flag("--version", "corvano-cli 1.0.0");
    app.footer(kFooter);
    CLI::Option* const templateOption = addTextOptions(app, options);
    std::string templateFile;
    auto* fromFile = app.add_option("--template-file", templateFile,
                                    "read the content template from this UTF-8 file");
    fromFile->check(CLI::ExistingFile)->excludes(templateOption);
    bool complete = false;
    auto* absolute = app.add_flag(
        "--absolute,!--no-absolute", complete,
        "complete relative link addresses against the page's address, as the box \"补全相对网址\" "
        "does (saved like the texts)");
    auto* dryRun = app.add_flag("--dry-run", options.dryRun,
                                "stop after extraction and print the links, writing nothing");
    auto* html =
        app.add_option("--html", options.htmlFile,
                       "after the shortcut files, save the HTML list of the links to this file");
    app.add_flag("--suggest", options.suggest,
                 "find the page's main list of links and print the --start, --end and "
                 "--contains options that cut it out; exit status 1: the page has no list (with "
                 "--save, the three are saved)")
        ->excludes(dryRun)
        ->excludes(html);
    app.add_option("--settings", options.settingsFile,
                   "record file the texts start from (default: db.dat beside the program, or "
                   "~/.config/corvano/db.dat when installed)");
    app.add_flag("--save", options.save,
                 "write the texts back to the record file after the run, as closing the window "
                 "does");
    app.add_option("--open", options.openFiles,
                   "open the address of each of these shortcut (.url) files in the browser, "
                   "instead of a run")
        ->expected(1, -1);
    long timeout = options.idleLimit.count();
    app.add_option("--timeout", timeout,
                   "seconds without any data before a download counts as timed out")
        ->check(CLI::Range(1L, 86400L));
    try {
        app.parse(argc, argv);
        if (!templateFile.empty())
            options.texts[Field::Template] = readTemplateFile(templateFile);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error, out, err);
        return code == 0 ? static_cast<int>(ExitCode::Ok) : static_cast<int>(ExitCode::Usage);
    }
    if (auto& contentTemplate = options.texts[Field::Template])
        contentTemplate = withCrLf(*contentTemplate);
    options.idleLimit = std::chrono::seconds(timeout);
    if (absolute->count() > 0)
        options.completeAddresses = complete;
    return options;
}

} // namespace corvano
