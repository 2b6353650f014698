#include "WindowText.h"

#include "platform/win32/WideText.h"

namespace corvano::WindowText {

std::string get(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return WideText::toUtf8(text);
}

void set(HWND window, std::string_view text)
{
    ::SetWindowTextW(window, WideText::fromUtf8(text).c_str());
}

} // namespace corvano::WindowText
