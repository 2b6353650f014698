#include "PageFetch.h"

#include "TextSearch.h"

namespace corvano {

namespace {

constexpr const char* kFetchStatus = "获取列表";
constexpr const char* kAddressErrorText = "您提供的网页地址无效,无法完成操作！";
constexpr const char* kAddressErrorTitle = "网址错误";

} // namespace

void PageFetch::begin(Transfer& transfer, const std::string& address)
{
    transfer.setAccessType(AccessType::Preconfig);
    transfer.setProtocol(Protocol::Http);
    transfer.setRequestTimeout(5000);
    transfer.setRemotePort(80);
    transfer.Execute(address, "get");
}

void PageFetch::reportAddressError(MainSurface& surface)
{
    surface.showMessage(kAddressErrorText, kAddressErrorTitle, MessageStyle::Critical);
}

void PageFetch::animate(MainSurface& surface, const Transfer& transfer)
{
    if (!transfer.StillExecuting()) {
        surface.setCaption(StatusLabel::Label4, "");
        surface.setTimerEnabled(RunTimer::Timer3, false);
        return;
    }
    surface.setCaption(StatusLabel::Label3, kFetchStatus);
    std::string dots = surface.caption(StatusLabel::Label4) + ".";
    if (TextSearch::characterCount(dots) == 6)
        dots.clear();
    surface.setCaption(StatusLabel::Label4, dots);
}

} // namespace corvano
