#pragma once

#include "ClickLabel.h"
#include "platform/PlatformTransfer.h"
#include "ui/common/win32/Win32EventPoster.h"

#include <chrono>
#include <string>

namespace corvano {

// A small strip that shows a remote page's text. The page is fetched in the background and
// shown when it arrives; a page that cannot be fetched leaves the strip empty, unreported. A
// fetch still running when the strip's window goes is cancelled at once. Presses on the strip
// are its own; they never drag the window beneath.
class PageStrip : public ClickLabel
{
public:
    static constexpr std::chrono::seconds kIdleLimit{30};

    PageStrip(HWND parent, int id);
    ~PageStrip() override;

    void load(const std::string& address);

    // What the strip shows of a page: its text without the markup, blanks run together.
    static std::string textOf(const std::string& html);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void showPage();

    Win32EventPoster m_poster;
    PlatformTransfer m_transfer{m_poster, kIdleLimit};
};

} // namespace corvano
