#include "QtMainWindowDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace corvano::test {

namespace {

const char* const kPage = R"(<ul class="news"><li><a href="/news/1.html">第一条</a></li>
<li><a href="/about.php">关于</a></li><li><a href="/news/2.html">第二条</a></li></ul>)";

QString qtext(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string withoutReturns(QString text)
{
    return text.remove('\r').toStdString();
}

} // namespace

QtMainWindowDriver::QtMainWindowDriver()
{
    const auto page = [this](const httplib::Request& request, httplib::Response& response) {
        {
            const std::lock_guard lock(m_mutex);
            ++m_requests[request.path];
        }
        const auto until =
            std::chrono::steady_clock::now() +
            (request.path == "/hold.html" ? m_hold.load() : std::chrono::milliseconds(0));
        while (!m_release && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        response.set_content(kPage, "text/html; charset=UTF-8");
    };
    m_server.routes().Get("/list.html", page);
    m_server.routes().Get("/hold.html", page);
    m_server.serve("/lists.html",
                   R"(<p class="menu"><a href="/">首页</a> <a href="/a/">关于</a></p>
<ol class="文章"><li><a href="/p/1.html">春</a></li><li><a href="/p/2.html">夏</a></li>
<li><a href="/p/3.html">秋</a></li><li><a href="/p/4.html">冬</a></li></ol>)",
                   "text/html; charset=UTF-8");
    // A redirect, for the completion of addresses against the page it leads to.
    m_server.routes().Get(
        "/moved", [](const auto&, auto& response) { response.set_redirect("/news/list.html"); });
    m_server.serve("/news/list.html", R"(<ul class="news"><a href="1.html">第一条</a></ul>)",
                   "text/html; charset=UTF-8");
    m_server.serve("/plain.html", R"(<p><a href="/a.html">A</a> <a href="/b.html">B</a></p>)");
    m_server.start();
    onDialog = [](QDialog& dialog) { dialog.reject(); };
    QObject::connect(&m_modalTimer, &QTimer::timeout, [this] { answerModal(); });
    m_modalTimer.start(20);
}

QtMainWindowDriver::~QtMainWindowDriver()
{
    m_window.reset();
    m_release = true;
    m_server.stop();
}

void QtMainWindowDriver::open(bool forARun)
{
    m_window.reset();
    m_window = std::make_unique<MainWindow>(MainWindow::Options{
        ProgramLocations::portable(m_program.path().string()), std::chrono::seconds(5)});
    m_window->show();
    const std::string texts[] = {url("/list.html"),
                                 m_target.prefix(),
                                 "[InternetShortcut]\nURL=",
                                 R"(<ul class="news">)",
                                 "</ul>",
                                 ".html",
                                 "/news/",
                                 url("/news/")};
    for (const Field field : kFields) {
        if (forARun)
            type(field, texts[textNumber(field) - 1]);
    }
}

void QtMainWindowDriver::close()
{
    m_window->close();
}

int QtMainWindowDriver::requests(const std::string& path) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_requests.find(path);
    return found == m_requests.end() ? 0 : found->second;
}

std::string QtMainWindowDriver::targetFile(const std::string& name) const
{
    return m_target.file(name);
}

std::string QtMainWindowDriver::read(const std::string& name) const
{
    return std::filesystem::is_regular_file(m_target.file(name)) ? m_target.read(name) : "";
}

void QtMainWindowDriver::makeFolder(const std::string& name)
{
    std::filesystem::create_directory(m_target.path() / name);
}

bool QtMainWindowDriver::targetIsEmpty() const
{
    return std::filesystem::is_empty(m_target.path());
}

void QtMainWindowDriver::type(Field field, const std::string& text)
{
    const QString box = QString("Text%1").arg(textNumber(field));
    if (field == Field::Template)
        the<QPlainTextEdit>(*m_window, qPrintable(box)).setPlainText(qtext(text).remove('\r'));
    else
        the<QLineEdit>(*m_window, qPrintable(box)).setText(qtext(text));
}

std::string QtMainWindowDriver::linkList() const
{
    return withoutReturns(the<QPlainTextEdit>(*m_window, "Text9").toPlainText());
}

bool QtMainWindowDriver::isChecked() const
{
    return the<QCheckBox>(*m_window, "Check1").isChecked();
}

void QtMainWindowDriver::press(const std::string& control)
{
    the<QAbstractButton>(*m_window, control.c_str()).click();
}

void QtMainWindowDriver::clickTab(int position)
{
    auto& tabs = the<QTabBar>(*m_window, "TabStrip1Tabs");
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(position - 1).center());
}

void QtMainWindowDriver::renameTab(int position, const std::string& caption)
{
    the<QTabBar>(*m_window, "TabStrip1Tabs").setTabText(position - 1, qtext(caption));
}

int QtMainWindowDriver::selectedTab() const
{
    return the<QTabBar>(*m_window, "TabStrip1Tabs").currentIndex() + 1;
}

std::string QtMainWindowDriver::page() const
{
    for (const char* frame : {"Frame3", "Frame5", "Frame7"}) {
        if (the(*m_window, frame).isVisible())
            return frame;
    }
    return {};
}

std::string QtMainWindowDriver::focused() const
{
    const QWidget* focus = m_window->focusWidget();
    return focus ? focus->objectName().toStdString() : "";
}

void QtMainWindowDriver::browse(const std::string& answer)
{
    onDialog = [answer](QDialog& picker) {
        if (answer.empty())
            picker.close();
        else
            the<QPushButton>(picker, answer == "确定" ? "Command1" : "Command2").click();
    };
    press("Command2");
}

std::vector<std::string> QtMainWindowDriver::saveListAs(const std::string& path)
{
    std::vector<std::string> types;
    onDialog = [&](QDialog& dialog) {
        const auto& combo = the<QComboBox>(dialog, "fileTypeCombo");
        for (int i = 0; i < combo.count(); ++i)
            types.push_back(combo.itemText(i).toStdString());
        the<QLineEdit>(dialog, "fileNameEdit").setText(qtext(path));
        dialog.accept();
    };
    press("Command1");
    return types;
}

void QtMainWindowDriver::later(std::chrono::milliseconds delay, std::function<void()> action)
{
    QTimer::singleShot(delay, m_window.get(), std::move(action));
}

void QtMainWindowDriver::wait(std::chrono::milliseconds time)
{
    QTest::qWait(static_cast<int>(time.count()));
}

void QtMainWindowDriver::answerModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const bool okOnly = box->standardButtons() == QMessageBox::Ok;
        m_messages.push_back({box->windowTitle().toStdString(), withoutReturns(box->text()),
                              !okOnly, m_window ? m_window->caption(StatusLabel::Label3) : ""});
        QAbstractButton* answer = box->button(okOnly        ? QMessageBox::Ok
                                              : m_answerYes ? QMessageBox::Yes
                                                            : QMessageBox::No);
        okTexts.push_back(answer->text().toStdString());
        answer->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        m_polls = dialog == m_lastDialog ? m_polls + 1 : 0;
        m_lastDialog = dialog;
        if (m_polls == 0)
            onDialog(*dialog);
        else if (m_polls > 50)
            dialog->reject();
    }
}

std::unique_ptr<MainWindowDriver> makeMainWindowDriver()
{
    return std::make_unique<QtMainWindowDriver>();
}

} // namespace corvano::test
