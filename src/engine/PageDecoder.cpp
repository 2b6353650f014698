#include "PageDecoder.h"

#include "CharsetDeclaration.h"
#include "WebEncoding.h"
#include "platform/AnsiCodec.h"

namespace corvano {

namespace {

constexpr std::size_t kMetaWindow = 1024;

struct ByteOrderMark
{
    std::string_view bytes;
    const char* label;
};

constexpr ByteOrderMark kByteOrderMarks[] = {
    {"\xEF\xBB\xBF", "utf-8"}, {"\xFE\xFF", "utf-16be"}, {"\xFF\xFE", "utf-16le"}};

const ByteOrderMark* byteOrderMarkOf(std::string_view bytes)
{
    for (const auto& mark : kByteOrderMarks) {
        if (bytes.starts_with(mark.bytes))
            return &mark;
    }
    return nullptr;
}

WebEncoding encodingOf(std::string_view bytes, std::string_view contentType)
{
    if (const ByteOrderMark* mark = byteOrderMarkOf(bytes))
        return *WebEncoding::fromLabel(mark->label);
    if (auto declared = CharsetDeclaration::fromContentType(contentType))
        return *declared;
    if (auto declared = CharsetDeclaration::fromMeta(bytes.substr(0, kMetaWindow)))
        return *declared;
    return *WebEncoding::fromLabel(AnsiCodec::codePageName());
}

} // namespace

std::string PageDecoder::charsetOf(std::string_view bytes, std::string_view contentType)
{
    return encodingOf(bytes, contentType).name();
}

std::string PageDecoder::decode(std::string_view bytes, std::string_view contentType)
{
    const WebEncoding encoding = encodingOf(bytes, contentType);
    const ByteOrderMark* mark = byteOrderMarkOf(bytes);
    if (auto text = encoding.decode(mark ? bytes.substr(mark->bytes.size()) : bytes))
        return *text;
    return AnsiCodec::decode(bytes);
}

} // namespace corvano
