#include "TabStrip.h"

#include "platform/win32/WideText.h"

#include <commctrl.h>

namespace corvano {

void TabStrip::addTab(std::string_view caption)
{
    std::wstring text = WideText::fromUtf8(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    const auto count = ::SendMessageW(m_control, TCM_GETITEMCOUNT, 0, 0);
    ::SendMessageW(m_control, TCM_INSERTITEMW, static_cast<WPARAM>(count),
                   reinterpret_cast<LPARAM>(&item));
}

std::string TabStrip::selectedCaption() const
{
    const auto selected = ::SendMessageW(m_control, TCM_GETCURSEL, 0, 0);
    if (selected < 0)
        return {};
    // A caption longer than this could not be any of the designed ones.
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!::SendMessageW(m_control, TCM_GETITEMW, static_cast<WPARAM>(selected),
                        reinterpret_cast<LPARAM>(&item)))
        return {};
    return WideText::toUtf8(item.pszText);
}

int TabStrip::selectedPosition() const
{
    return static_cast<int>(::SendMessageW(m_control, TCM_GETCURSEL, 0, 0)) + 1;
}

void TabStrip::select(int position)
{
    ::SendMessageW(m_control, TCM_SETCURSEL, static_cast<WPARAM>(position - 1), 0);
}

} // namespace corvano
