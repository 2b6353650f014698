// Page decoding on Windows, through the system's code pages instead of iconv.
#include "platform/CharsetDecoder.h"

#include "WideText.h"
#include "platform/AsciiCase.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <windows.h>

namespace corvano {

namespace {

struct CodePage
{
    std::string_view name; // as the web encodings name their converter
    UINT number;
};

constexpr std::array kCodePages = {
    CodePage{"UTF-8", CP_UTF8},     CodePage{"IBM866", 866},        CodePage{"ISO-8859-1", 28591},
    CodePage{"US-ASCII", 20127},    CodePage{"ISO-8859-2", 28592},  CodePage{"ISO-8859-3", 28593},
    CodePage{"ISO-8859-4", 28594},  CodePage{"ISO-8859-5", 28595},  CodePage{"ISO-8859-6", 28596},
    CodePage{"ISO-8859-7", 28597},  CodePage{"ISO-8859-8", 28598},  CodePage{"ISO-8859-10", 28600},
    CodePage{"ISO-8859-13", 28603}, CodePage{"ISO-8859-14", 28604}, CodePage{"ISO-8859-15", 28605},
    CodePage{"ISO-8859-16", 28606}, CodePage{"KOI8-R", 20866},      CodePage{"KOI8-U", 21866},
    CodePage{"MACINTOSH", 10000},   CodePage{"WINDOWS-874", 874},   CodePage{"WINDOWS-1250", 1250},
    CodePage{"WINDOWS-1251", 1251}, CodePage{"WINDOWS-1252", 1252}, CodePage{"WINDOWS-1253", 1253},
    CodePage{"WINDOWS-1254", 1254}, CodePage{"WINDOWS-1255", 1255}, CodePage{"WINDOWS-1256", 1256},
    CodePage{"WINDOWS-1257", 1257}, CodePage{"WINDOWS-1258", 1258}, CodePage{"MAC-CYRILLIC", 10007},
    CodePage{"GB18030", 54936},     CodePage{"GBK", 936},           CodePage{"BIG5-HKSCS", 950},
    CodePage{"EUC-JP", 20932},      CodePage{"ISO-2022-JP", 50220}, CodePage{"WINDOWS-31J", 932},
    CodePage{"CP949", 949},
};

// The code page by converter name, or by "CP" and its number.
UINT codePageOf(const std::string& charset)
{
    const std::string name = AsciiCase::upper(charset);
    for (const CodePage& page : kCodePages) {
        if (page.name == name)
            return page.number;
    }
    if (name.size() > 2 && name.starts_with("CP") &&
        std::all_of(name.begin() + 2, name.end(), [](unsigned char c) { return std::isdigit(c); }))
        return static_cast<UINT>(std::stoul(name.substr(2)));
    return 0;
}

// The stateful code pages take no flags, so they cannot report ill-formed input.
DWORD strictFlags(UINT codePage)
{
    return codePage >= 50220 && codePage <= 50229 ? 0 : MB_ERR_INVALID_CHARS;
}

int convert(UINT codePage, DWORD flags, std::string_view bytes, wchar_t* out, int room)
{
    return ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), out,
                                 room);
}

// A byte that begins a character of more than one byte.
bool startsCharacter(UINT codePage, char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (codePage == CP_UTF8)
        return byte >= 0xC2 && byte <= 0xF4;
    return ::IsDBCSLeadByteEx(codePage, byte) || (codePage == 54936 && byte >= 0x81);
}

// The whole text, or nothing when some of it is ill-formed.
bool convertAll(UINT codePage, std::string_view bytes, std::wstring& wide)
{
    const DWORD flags = strictFlags(codePage);
    const int length = convert(codePage, flags, bytes, nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(length));
    return convert(codePage, flags, bytes, wide.data(), length) == length;
}

// Character by character: the shortest run of bytes that converts is one character; a byte
// that starts none becomes U+FFFD, and a character cut off at the end is dropped.
std::string convertEach(UINT codePage, std::string_view bytes, std::size_t longest)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    wchar_t buffer[8];
    while (!bytes.empty()) {
        int produced = 0;
        std::size_t length = 1;
        for (; length <= std::min(longest, bytes.size()); ++length) {
            produced = convert(codePage, MB_ERR_INVALID_CHARS, bytes.substr(0, length), buffer, 8);
            if (produced > 0)
                break;
        }
        if (produced > 0) {
            out += WideText::toUtf8(std::wstring_view(buffer, static_cast<std::size_t>(produced)));
            bytes.remove_prefix(length);
            continue;
        }
        if (bytes.size() < longest && startsCharacter(codePage, bytes.front()))
            break;
        Utf8::append(out, U'\uFFFD');
        bytes.remove_prefix(1);
    }
    return out;
}

// UTF-16 and UTF-32 are decoded here: no code page of MultiByteToWideChar takes them. An
// ill-formed unit becomes U+FFFD; a unit cut off at the end is dropped.
class UnitReader
{
public:
    UnitReader(std::string_view bytes, std::size_t size, bool bigEndian)
        : m_bytes(bytes), m_size(size), m_bigEndian(bigEndian)
    {}

    bool atEnd() const { return m_position + m_size > m_bytes.size(); }
    char32_t peek() const
    {
        char32_t unit = 0;
        for (std::size_t i = 0; i < m_size; ++i) {
            const auto byte = static_cast<unsigned char>(
                m_bytes[m_position + (m_bigEndian ? i : m_size - 1 - i)]);
            unit = unit << 8 | byte;
        }
        return unit;
    }
    void skip() { m_position += m_size; }

private:
    std::string_view m_bytes;
    std::size_t m_size;
    bool m_bigEndian;
    std::size_t m_position = 0;
};

bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

std::string decodeUnits(std::string_view bytes, std::size_t size, bool bigEndian)
{
    UnitReader reader(bytes, size, bigEndian);
    std::string out;
    while (!reader.atEnd()) {
        char32_t unit = reader.peek();
        reader.skip();
        if (size == 2 && isHighSurrogate(unit) && !reader.atEnd()) {
            const char32_t low = reader.peek();
            if (low >= 0xDC00 && low <= 0xDFFF) {
                reader.skip();
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            }
        }
        const bool valid = !isSurrogate(unit) && unit <= 0x10FFFF;
        Utf8::append(out, valid ? unit : U'\uFFFD');
    }
    return out;
}

// "UTF-16" and "UTF-32" read a byte-order mark, and without one are big-endian.
std::optional<std::string> decodeUnicode(std::string_view bytes, const std::string& name)
{
    const std::size_t size = name.starts_with("UTF-16") ? 2 : 4;
    bool bigEndian = name.ends_with("BE");
    if (name == "UTF-16" || name == "UTF-32") {
        bigEndian = true;
        if (bytes.size() >= size) {
            const char32_t mark = UnitReader(bytes, size, true).peek();
            const char32_t swapped = UnitReader(bytes, size, false).peek();
            if (mark == 0xFEFF || swapped == 0xFEFF) {
                bigEndian = mark == 0xFEFF;
                bytes.remove_prefix(size);
            }
        }
    }
    return decodeUnits(bytes, size, bigEndian);
}

} // namespace

std::optional<std::string> CharsetDecoder::decode(std::string_view bytes,
                                                  const std::string& charset)
{
    const std::string name = AsciiCase::upper(charset);
    for (const char* unicode :
         {"UTF-16", "UTF-16LE", "UTF-16BE", "UTF-32", "UTF-32LE", "UTF-32BE"}) {
        if (name == unicode)
            return decodeUnicode(bytes, name);
    }
    const UINT codePage = codePageOf(charset);
    CPINFO info{};
    if (codePage == 0 || !::IsValidCodePage(codePage) || !::GetCPInfo(codePage, &info))
        return std::nullopt;
    if (bytes.empty())
        return std::string();
    std::wstring wide;
    if (convertAll(codePage, bytes, wide) || strictFlags(codePage) == 0) {
        const std::string text = WideText::toUtf8(wide);
        return Utf8::isValid(text) ? text : Utf8::sanitize(text);
    }
    return convertEach(codePage, bytes, std::max<std::size_t>(1, info.MaxCharSize));
}

} // namespace corvano
