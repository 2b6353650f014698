#pragma once

#include "../MainWindowDriver.h"
#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "ui/main/qt/MainWindow.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <map>
#include <mutex>

namespace corvano::test {

// Drives the Qt main window through its widgets, found by their object names. Modal windows
// are answered from a timer: message boxes at once, any other dialog once by onDialog and
// rejected if still open a second later, so that a test fails rather than hangs.
class QtMainWindowDriver : public MainWindowDriver
{
public:
    QtMainWindowDriver();
    ~QtMainWindowDriver() override;

    void open(bool forARun = true) override;
    void close() override;
    std::string url(const std::string& path) const override { return m_server.url(path); }
    int requests(const std::string& path) const override;
    std::string targetFile(const std::string& name) const override;
    std::string read(const std::string& name) const override;
    void makeFolder(const std::string& name) override;
    bool targetIsEmpty() const override;
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
    void answerQuestionsWith(bool yes) override { m_answerYes = yes; }
    std::vector<ShownMessage> takeMessages() override { return std::exchange(m_messages, {}); }
    void browse(const std::string& answer) override;
    std::vector<std::string> saveListAs(const std::string& path) override;
    void later(std::chrono::milliseconds delay, std::function<void()> action) override;
    void wait(std::chrono::milliseconds time) override;

    MainWindow& window() { return *m_window; }
    TemporaryFolder& program() { return m_program; }
    // The hold page comes after this long, or when the driver goes.
    void holdFor(std::chrono::milliseconds time) { m_hold = time; }
    std::function<void(QDialog&)> onDialog;
    std::vector<std::string> okTexts; // the caption of the button pressed in each box

    template <typename Widget = QWidget> static Widget& the(const QWidget& parent, const char* name)
    {
        if (auto* found = parent.findChild<Widget*>(name))
            return *found;
        throw std::logic_error(std::string("no control ") + name);
    }

private:
    void answerModal();

    LoopbackServer m_server;
    mutable std::mutex m_mutex;
    std::map<std::string, int> m_requests;
    std::atomic<std::chrono::milliseconds> m_hold{std::chrono::seconds(10)};
    std::atomic_bool m_release{false};
    QTimer m_modalTimer;
    bool m_answerYes = true;
    std::vector<ShownMessage> m_messages;
    QPointer<QDialog> m_lastDialog; // cleared when it is destroyed, so a new one is new
    int m_polls = 0;
    TemporaryFolder m_program;
    TemporaryFolder m_target;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace corvano::test
