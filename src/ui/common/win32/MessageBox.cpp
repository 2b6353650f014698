#include "MessageBox.h"

#include "platform/win32/WideText.h"

namespace corvano::MessageBox {

namespace {

UINT iconOf(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Critical:
        return MB_ICONERROR;
    case MessageStyle::Exclamation:
        return MB_ICONWARNING;
    case MessageStyle::Information:
        break;
    }
    return MB_ICONINFORMATION;
}

} // namespace

void show(HWND owner, std::string_view text, std::string_view title, MessageStyle style)
{
    ::MessageBoxW(owner, WideText::fromUtf8(text).c_str(), WideText::fromUtf8(title).c_str(),
                  MB_OK | iconOf(style) | (owner ? 0u : MB_TASKMODAL));
}

bool ask(HWND owner, std::string_view text, std::string_view title)
{
    return ::MessageBoxW(owner, WideText::fromUtf8(text).c_str(), WideText::fromUtf8(title).c_str(),
                         MB_YESNO | MB_ICONQUESTION | (owner ? 0u : MB_TASKMODAL)) == IDYES;
}

} // namespace corvano::MessageBox
