#include "UrlFileWriter.h"

#include "DeviceName.h"
#include "WriteFailure.h"
#include "engine/LinkListWriters.h"
#include "engine/RegularExpression.h"
#include "platform/AnsiCodec.h"
#include "platform/FileError.h"
#include "platform/Utf8.h"

namespace corvano {

namespace {

constexpr std::string_view kExtension = ".url";

// The longest prefix of at most maxBytes that ends on a character boundary.
std::string cutAtCharacter(const std::string& text, std::size_t maxBytes)
{
    std::size_t end = 0;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t length = std::max<std::size_t>(1, Utf8::sequenceLength(rest));
        if (end + length > maxBytes)
            break;
        end += length;
        rest.remove_prefix(length);
    }
    return text.substr(0, end);
}

} // namespace

bool UrlFileWriter::MakeUrlFiles(const std::string& pageHtml, const std::string& linkList)
{
    if (pageHtml.empty())
        return true;
    m_surface.setCaption(StatusLabel::Label3, "正在生成");
    m_surface.setCaption(StatusLabel::Label4, "");
    m_surface.setTimerEnabled(RunTimer::Timer2, true);
    const auto records = LinkListReader::read(linkList);
    try {
        const Target target = openTarget();
        for (const auto& record : records)
            writeFile(target, record);
    } catch (const FileError& error) {
        reportFailure(error);
        return false;
    }
    finish(records.size());
    return true;
}

// One at a time in list order: a later link of the same name replaces an earlier one, and a
// failure stops the run with every file before it in place and none after it.
void UrlFileWriter::writeFile(const Target& target, const LinkRecord& record) const
{
    const std::string name =
        target.namePrefix + fileNameOf(record.title, target.nameRoom, m_forbidden);
    const std::string bytes = contentOf(m_surface.text(Field::Template), m_addresses.of(record));
    // A file that already holds the bytes keeps its date. Flushing each of many small files
    // would cost more than writing them; a run that is cut off can simply be made again.
    target.folder->updateFile(name, bytes);
}

// The folder and its name limit are looked up once per run: the writer processes no events,
// so the folder text cannot change while it writes.
UrlFileWriter::Target UrlFileWriter::openTarget() const
{
    const std::string folder = m_surface.text(Field::Folder);
    // The folder text is a prefix used as typed: it must end with a separator to place the
    // files inside the folder. A text that names nothing sends them to the fallback folder.
    // Only the text after the last separator counts against the name limit.
    const std::string prefix =
        m_files.exists(folder) ? folder : m_fallbackFolder + FileSystem::kSeparator;
    const auto slash = m_files.lastSeparator(prefix);
    const std::string directory = slash == std::string::npos ? "" : prefix.substr(0, slash + 1);
    Target target{m_files.openFolder(directory), prefix.substr(directory.size())};
    const std::size_t limit = target.folder->maxNameLength();
    target.nameRoom = limit > target.namePrefix.size() ? limit - target.namePrefix.size() : 0;
    return target;
}

std::string UrlFileWriter::fileNameOf(const std::string& title, std::size_t maxNameLength,
                                      const RegularExpression& forbidden)
{
    const std::string name = RegReplace(title, forbidden);
    const std::size_t room =
        maxNameLength > kExtension.size() ? maxNameLength - kExtension.size() : 0;
    std::string fileName = DeviceName::mend(cutAtCharacter(name, room) + std::string(kExtension));
    // The mark must not push the name past the limit: cut one byte more and mend again.
    if (fileName.size() > maxNameLength && room > 0)
        fileName = DeviceName::mend(cutAtCharacter(name, room - 1) + std::string(kExtension));
    return fileName;
}

std::string UrlFileWriter::cleanAddress(const std::string& address)
{
    std::string clean;
    clean.reserve(address.size());
    for (const char c : address) {
        if (c != '\t' && c != '\r' && c != '\n')
            clean += c;
    }
    return clean;
}

std::string UrlFileWriter::contentOf(const std::string& contentTemplate, const std::string& address)
{
    // The address goes out percent-encoded where the code page cannot carry it, so a browser
    // still reaches the same page; the rest of the template gets "?" for such characters.
    const std::string encodedAddress =
        AnsiCodec::encode(cleanAddress(address), AnsiCodec::Fallback::PercentUtf8);
    std::string content;
    std::string_view rest = contentTemplate;
    for (auto field = rest.find(kUrlField); field != std::string_view::npos;
         field = rest.find(kUrlField)) {
        content += AnsiCodec::encode(rest.substr(0, field + kUrlField.size()));
        content += encodedAddress;
        rest.remove_prefix(field + kUrlField.size());
    }
    content += AnsiCodec::encode(rest);
    return content + "\r\n";
}

void UrlFileWriter::finish(std::size_t count)
{
    m_surface.setTimerEnabled(RunTimer::Timer2, false);
    m_surface.setCaption(StatusLabel::Label4, "");
    m_surface.setCaption(StatusLabel::Label3, "生成完毕");
    m_surface.setCaption(StatusLabel::Label5, countCaption(count));
}

std::string UrlFileWriter::countCaption(std::size_t count)
{
    return std::string(10, ' ') + "共生成" + std::to_string(count) + "个URL文件";
}

void UrlFileWriter::reportFailure(const FileError& error)
{
    m_surface.setTimerEnabled(RunTimer::Timer2, false);
    m_surface.setCaption(StatusLabel::Label4, "");
    // Set before the box, so the status agrees with it while it is open.
    m_surface.setCaption(StatusLabel::Label3, kFailedStatus);
    WriteFailure::report(m_surface, error);
}

} // namespace corvano
