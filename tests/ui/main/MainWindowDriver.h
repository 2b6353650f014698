#pragma once

#include "LoopbackServer.h"
#include "engine/Field.h"
#include "engine/MainSurface.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace corvano::test {

// The pages the drivers serve: two wanted links and one other; a menu and a list.
inline constexpr const char* kListPage =
    R"(<ul class="news"><li><a href="/news/1.html">第一条</a></li>
<li><a href="/about.php">关于</a></li><li><a href="/news/2.html">第二条</a></li></ul>)";
inline constexpr const char* kListsPage = R"(<p><a href="/">首页</a> <a href="/a/">关于</a></p>
<ol class="文章"><li><a href="/p/1.html">春</a></li><li><a href="/p/2.html">夏</a></li>
<li><a href="/p/3.html">秋</a></li></ol>)";

// A message box as it was shown, with the status line (Label3) beneath it at that moment.
struct ShownMessage
{
    std::string title;
    std::string text; // line breaks as "\n"
    bool question = false;
    std::string status;
};

// Drives one toolkit's main window as a user would. It serves /list.html, /lists.html and
// /hold.html (the list page, held back) on the loopback interface, and answers every message
// box (OK, or a question as told) and records it.
class MainWindowDriver
{
public:
    MainWindowDriver()
    {
        m_server.serve("/list.html", kListPage, "text/html; charset=UTF-8");
        m_server.serve("/lists.html", kListsPage, "text/html; charset=UTF-8");
        m_server.hold("/hold.html", kListPage, std::chrono::seconds(30));
        m_server.start();
    }
    virtual ~MainWindowDriver() = default;

    // A fresh window on the program folder; one with the texts of a run against /list.html.
    virtual void open() = 0;
    void openForARun()
    {
        open();
        const std::string texts[] = {url("/list.html"),
                                     targetFile(""),
                                     "[InternetShortcut]\r\nURL=",
                                     R"(<ul class="news">)",
                                     "</ul>",
                                     ".html",
                                     "/news/",
                                     url("/news/")};
        for (const Field field : kFields)
            type(field, texts[textNumber(field) - 1]);
    }
    virtual void close() = 0;

    std::string url(const std::string& path) const { return m_server.url(path); }
    int holds() const { return m_server.requests("/hold.html"); }
    // A file in the target folder as the window names it (UTF-8); its bytes, "" when missing.
    virtual std::string targetFile(const std::string& name) const = 0;
    std::string read(const std::string& name) const
    {
        std::ifstream in(pathOf(targetFile(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    bool targetIsEmpty() const { return std::filesystem::is_empty(pathOf(targetFile(""))); }

    virtual void type(Field field, const std::string& text) = 0;
    virtual std::string text(Field field) const = 0;
    virtual std::string linkList() const = 0; // Text9, its lines ended by "\n"
    virtual std::string caption(StatusLabel label) const = 0;
    virtual bool isChecked() const = 0; // Check1
    // The designer's names: "Command3", "Check1", "Frame5", "Text4".
    virtual void press(const std::string& control) = 0;
    virtual void clickTab(int position) = 0;
    virtual void renameTab(int position, const std::string& caption) = 0;
    virtual int selectedTab() const = 0;
    virtual bool isVisible(const std::string& control) const = 0;
    // The page shown: Frame3, Frame5 or Frame7 (more names when more show).
    std::string page() const
    {
        std::string shown;
        for (const char* frame : {"Frame3", "Frame5", "Frame7"})
            shown += isVisible(frame) ? frame : "";
        return shown;
    }
    virtual std::string focused() const = 0;

    virtual void answerQuestionsWith(bool yes) = 0;
    // The boxes shown since the last call.
    virtual std::vector<ShownMessage> takeMessages() = 0;
    // Presses "浏览" and answers the folder picker with "确定", "取消" or (empty) its close box.
    virtual void browse(const std::string& answer) = 0;
    // Presses the save button and saves the list as the file given.
    virtual void saveListAs(const std::string& path) = 0;

    // Runs the action after the delay, while the event loop runs (inside a press, say).
    virtual void later(std::chrono::milliseconds delay, std::function<void()> action) = 0;

    static std::filesystem::path pathOf(const std::string& utf8)
    {
        return std::u8string(utf8.begin(), utf8.end());
    }
    static std::string withoutReturns(std::string text)
    {
        std::erase(text, '\r');
        return text;
    }

private:
    LoopbackServer m_server; // outlives the window, which the derived driver holds
};

std::unique_ptr<MainWindowDriver> makeMainWindowDriver();

} // namespace corvano::test
