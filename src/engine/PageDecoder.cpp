#include "PageDecoder.h"

#include "platform/AnsiCodec.h"
#include "platform/CharsetDecoder.h"

#include <algorithm>
#include <cctype>

namespace corvano {

namespace {

constexpr std::size_t kMetaWindow = 1024;

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool isNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' ||
           c == '.';
}

// Labels pages use for what is really GBK, as browsers read them.
std::string canonical(std::string name)
{
    name = lower(name);
    if (name == "gb2312" || name == "x-gbk" || name == "gb_2312-80" || name == "cp936")
        return "GBK";
    return name;
}

struct ByteOrderMark
{
    std::string_view bytes;
    const char* charset;
};

constexpr ByteOrderMark kByteOrderMarks[] = {
    {"\xEF\xBB\xBF", "utf-8"}, {"\xFF\xFE", "utf-16le"}, {"\xFE\xFF", "utf-16be"}};

const ByteOrderMark* byteOrderMarkOf(std::string_view bytes)
{
    for (const auto& mark : kByteOrderMarks) {
        if (bytes.starts_with(mark.bytes))
            return &mark;
    }
    return nullptr;
}

} // namespace

std::string PageDecoder::charsetParameter(std::string_view text)
{
    const std::string folded = lower(text);
    const auto at = folded.find("charset");
    if (at == std::string::npos)
        return {};
    std::size_t i = at + 7;
    while (i < folded.size() && (folded[i] == ' ' || folded[i] == '='))
        ++i;
    while (i < folded.size() && (folded[i] == '"' || folded[i] == '\''))
        ++i;
    const std::size_t begin = i;
    while (i < folded.size() && isNameChar(folded[i]))
        ++i;
    return std::string(text.substr(begin, i - begin));
}

std::string PageDecoder::metaCharset(std::string_view bytes)
{
    const std::string head = lower(bytes.substr(0, kMetaWindow));
    for (auto meta = head.find("<meta"); meta != std::string::npos;
         meta = head.find("<meta", meta + 1)) {
        const auto close = head.find('>', meta);
        const std::string_view tag =
            std::string_view(head).substr(meta, close == std::string::npos ? close : close - meta);
        if (auto name = charsetParameter(tag); !name.empty())
            return name;
    }
    return {};
}

std::string PageDecoder::charsetOf(std::string_view bytes, std::string_view contentType)
{
    const ByteOrderMark* mark = byteOrderMarkOf(bytes);
    const std::string fromMark = mark ? mark->charset : "";
    for (std::string name : {charsetParameter(contentType), fromMark, metaCharset(bytes)}) {
        if (!name.empty())
            return canonical(name);
    }
    return AnsiCodec::codePageName();
}

std::string PageDecoder::decode(std::string_view bytes, std::string_view contentType)
{
    const std::string charset = charsetOf(bytes, contentType);
    const ByteOrderMark* mark = byteOrderMarkOf(bytes);
    const std::string_view body = mark ? bytes.substr(mark->bytes.size()) : bytes;
    if (auto text = CharsetDecoder::decode(body, charset))
        return *text;
    return AnsiCodec::decode(bytes);
}

} // namespace corvano
