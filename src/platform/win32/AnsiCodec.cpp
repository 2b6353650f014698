// The system's ANSI code page on Windows: whatever GetACP reports (936 on a Chinese system),
// converted by the system itself. Characters it lacks follow the same rule as on Linux.
#include "platform/AnsiCodec.h"

#include "WideText.h"
#include "platform/AnsiFallback.h"
#include "platform/CharsetDecoder.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <stdexcept>
#include <windows.h>

namespace corvano {

namespace {

// One character in the code page, or nothing when the code page lacks it. Best-fit mappings
// (an "é" written as "e") would change the text silently, so they count as lacking.
bool encodeCharacter(UINT codePage, std::string_view sequence, std::string& out)
{
    const std::wstring wide = WideText::fromUtf8(sequence);
    char buffer[8];
    BOOL usedDefault = FALSE;
    const bool utf8 = codePage == CP_UTF8;
    const int length = ::WideCharToMultiByte(codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(),
                                             static_cast<int>(wide.size()), buffer, sizeof buffer,
                                             nullptr, utf8 ? nullptr : &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    out.append(buffer, static_cast<std::size_t>(length));
    return true;
}

} // namespace

const char* AnsiCodec::codePageName()
{
    // A label the web encodings know, so a page without a declaration reads as this system's.
    switch (::GetACP()) {
    case 936:
        return "GBK";
    case 950:
        return "Big5";
    case 932:
        return "Shift_JIS";
    case 949:
        return "EUC-KR";
    case 874:
        return "windows-874";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case CP_UTF8:
        return "UTF-8";
    default:
        return "windows-1252";
    }
}

std::string AnsiCodec::encode(std::string_view utf8, Fallback fallback)
{
    const UINT codePage = ::GetACP();
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        // ASCII is the same in every ANSI code page.
        const auto ascii = std::find_if(
            utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        const auto plain = static_cast<std::size_t>(ascii - utf8.begin());
        out.append(utf8.substr(0, plain));
        utf8.remove_prefix(plain);
        if (utf8.empty())
            break;
        const std::size_t valid = Utf8::sequenceLength(utf8);
        const std::size_t length = std::max<std::size_t>(1, valid);
        if (valid == 0 || !encodeCharacter(codePage, utf8.substr(0, length), out))
            appendAnsiFallback(out, utf8.substr(0, length), fallback);
        utf8.remove_prefix(length);
    }
    return out;
}

std::string AnsiCodec::decode(std::string_view ansi)
{
    auto text = CharsetDecoder::decode(ansi, "CP" + std::to_string(::GetACP()));
    if (!text)
        throw std::runtime_error("the system cannot convert text from its code page");
    return *text;
}

std::string_view AnsiCodec::truncate(std::string_view ansi, std::size_t maxBytes)
{
    const UINT codePage = ::GetACP();
    std::size_t end = 0;
    while (end < ansi.size()) {
        const bool pair =
            ::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(ansi[end])) && end + 1 < ansi.size();
        const std::size_t next = end + (pair ? 2 : 1);
        if (next > maxBytes)
            break;
        end = next;
    }
    return ansi.substr(0, end);
}

} // namespace corvano
