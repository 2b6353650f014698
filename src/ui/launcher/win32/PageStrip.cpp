#include "PageStrip.h"

#include "engine/PageDecoder.h"
#include "platform/AsciiCase.h"

#include <array>
#include <cctype>
#include <utility>

namespace corvano {

namespace {

// The elements whose content is not text that a page shows.
bool hidesContent(const std::string& tagName)
{
    return tagName == "script" || tagName == "style" || tagName == "head" || tagName == "title";
}

std::string nameOf(const std::string& html, std::size_t open)
{
    std::size_t end = open + 1;
    while (end < html.size() && (std::isalnum(static_cast<unsigned char>(html[end])) != 0))
        ++end;
    return AsciiCase::lower(html.substr(open + 1, end - open - 1));
}

// The few references a short page uses; others are shown as written.
std::pair<std::string, std::size_t> referenceAt(const std::string& html, std::size_t at)
{
    static constexpr std::array<std::pair<const char*, const char*>, 6> kNamed{{
        {"&amp;", "&"},
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&quot;", "\""},
        {"&#39;", "'"},
        {"&nbsp;", " "},
    }};
    for (const auto& [reference, text] : kNamed) {
        if (html.compare(at, std::char_traits<char>::length(reference), reference) == 0)
            return {text, std::char_traits<char>::length(reference)};
    }
    return {"&", 1};
}

void appendText(std::string& text, const std::string& piece)
{
    for (char c : piece) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank)
            text += c;
        else if (!text.empty() && text.back() != ' ')
            text += ' ';
    }
}

} // namespace

PageStrip::PageStrip(HWND parent, int id) : ClickLabel(parent, id)
{
    setTextColour(::GetSysColor(COLOR_WINDOWTEXT));
    m_transfer.setStateHandler([this](TransferState state) {
        if (state == TransferState::ResponseCompleted)
            showPage();
    });
}

PageStrip::~PageStrip()
{
    destroy();
}

void PageStrip::load(const std::string& address)
{
    if (m_transfer.StillExecuting())
        return;
    m_transfer.Execute(address, "get");
}

void PageStrip::showPage()
{
    const std::string body = m_transfer.GetChunk(Transfer::kReadSize);
    setText(textOf(PageDecoder::decode(body, m_transfer.contentType())));
}

std::string PageStrip::textOf(const std::string& html)
{
    std::string text;
    std::string hiddenUntil; // the closing tag that ends content that is not shown
    std::size_t at = 0;
    while (at < html.size()) {
        if (html[at] == '<') {
            const std::size_t close = html.find('>', at);
            const std::string name = nameOf(html, at);
            if (hiddenUntil.empty() && hidesContent(name))
                hiddenUntil = "/" + name;
            else if (!hiddenUntil.empty() && html.compare(at + 1, 1, "/") == 0 &&
                     AsciiCase::lower(html.substr(at + 1, hiddenUntil.size())) == hiddenUntil)
                hiddenUntil.clear();
            appendText(text, " ");
            at = close == std::string::npos ? html.size() : close + 1;
        } else if (!hiddenUntil.empty()) {
            ++at;
        } else if (html[at] == '&') {
            const auto [piece, length] = referenceAt(html, at);
            appendText(text, piece);
            at += length;
        } else {
            appendText(text, std::string(1, html[at]));
            ++at;
        }
    }
    if (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

LRESULT PageStrip::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The page goes with the window, as a closed launcher's strip does.
    if (message == WM_DESTROY)
        m_transfer.cancel();
    return ClickLabel::handleMessage(message, wParam, lParam);
}

} // namespace corvano
