#include "ConsoleStreamBuffer.h"

#include "platform/win32/WideText.h"

namespace corvano {

namespace {

constexpr std::size_t kFlushSize = 4096;

// Where the last complete UTF-8 character ends: a sequence cut off at the end is kept back.
std::size_t completeLength(const std::string& text)
{
    std::size_t start = text.size();
    for (int back = 0; back < 4 && start > 0; ++back) {
        const auto byte = static_cast<unsigned char>(text[start - 1]);
        if ((byte & 0xC0) != 0x80) {
            const std::size_t need = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return text.size() - (start - 1) >= need ? text.size() : start - 1;
        }
        --start;
    }
    return text.size();
}

} // namespace

ConsoleStreamBuffer::ConsoleStreamBuffer(DWORD standardHandle)
    : m_handle(::GetStdHandle(standardHandle))
{
    DWORD mode = 0;
    m_console = ::GetConsoleMode(m_handle, &mode) != 0;
}

ConsoleStreamBuffer::~ConsoleStreamBuffer()
{
    flush();
}

ConsoleStreamBuffer::int_type ConsoleStreamBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char character = traits_type::to_char_type(c);
    return xsputn(&character, 1) == 1 ? c : traits_type::eof();
}

std::streamsize ConsoleStreamBuffer::xsputn(const char* data, std::streamsize size)
{
    m_pending.append(data, static_cast<std::size_t>(size));
    if (m_pending.size() >= kFlushSize && !flush())
        return 0;
    return size;
}

int ConsoleStreamBuffer::sync()
{
    return flush() ? 0 : -1;
}

bool ConsoleStreamBuffer::flush()
{
    if (m_pending.empty() || m_handle == nullptr || m_handle == INVALID_HANDLE_VALUE) {
        m_pending.clear();
        return true;
    }
    if (m_console) {
        const std::size_t length = completeLength(m_pending);
        const std::wstring wide = WideText::fromUtf8(std::string_view(m_pending).substr(0, length));
        m_pending.erase(0, length);
        DWORD written = 0;
        return wide.empty() || ::WriteConsoleW(m_handle, wide.data(),
                                               static_cast<DWORD>(wide.size()), &written, nullptr);
    }
    std::string_view rest = m_pending;
    while (!rest.empty()) {
        DWORD written = 0;
        if (!::WriteFile(m_handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr))
            break;
        rest.remove_prefix(written);
    }
    const bool complete = rest.empty();
    m_pending.clear();
    return complete;
}

} // namespace corvano
