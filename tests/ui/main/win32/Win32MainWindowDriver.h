#pragma once

#include "../MainWindowDriver.h"
#include "PageServer.h"
#include "WideTemporaryFolder.h"
#include "WindowDriver.h"
#include "ui/main/win32/MainWindow.h"

#include <memory>
#include <optional>

namespace corvano::test {

// Drives the native main window by its controls' numbers, through the messages the controls
// themselves send, with the message loop running in between.
class Win32MainWindowDriver : public MainWindowDriver
{
public:
    Win32MainWindowDriver();

    void open(bool forARun = true) override;
    void close() override;
    std::string url(const std::string& path) const override { return m_server.url(path); }
    int requests(const std::string& path) const override { return m_server.requests(path); }
    std::string targetFile(const std::string& name) const override { return m_target.file(name); }
    std::string read(const std::string& name) const override;
    void makeFolder(const std::string& name) override;
    bool targetIsEmpty() const override { return m_target.names().empty(); }
    void type(Field field, const std::string& text) override;
    std::string text(Field field) const override { return m_window->text(field); }
    std::string linkList() const override;
    std::string caption(StatusLabel label) const override { return m_window->caption(label); }
    bool isChecked() const override;
    void press(const std::string& control) override;
    void clickTab(int position) override;
    void renameTab(int position, const std::string& caption) override;
    int selectedTab() const override;
    std::string page() const override;
    std::string focused() const override;
    void answerQuestionsWith(bool yes) override;
    std::vector<ShownMessage> takeMessages() override;
    void browse(const std::string& answer) override;
    std::vector<std::string> saveListAs(const std::string& path) override;
    void later(std::chrono::milliseconds delay, std::function<void()> action) override;
    void wait(std::chrono::milliseconds time) override;

    HWND hwnd() const { return m_window->handle(); }
    HWND the(int id) const { return control(hwnd(), id); }
    int closings() const { return m_closings; }

private:
    PageServer m_server;
    WideTemporaryFolder m_program;
    WideTemporaryFolder m_target;
    std::optional<BoxAnswerer> m_boxes;
    std::unique_ptr<MainWindow> m_window;
    int m_closings = 0;
};

} // namespace corvano::test
