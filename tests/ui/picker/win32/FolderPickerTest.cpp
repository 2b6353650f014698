#include "ui/picker/win32/FolderPicker.h"

#include "../FolderPickerDriver.h"
#include "WideTemporaryFolder.h"
#include "WindowDriver.h"
#include "ui/common/win32/Dpi.h"
#include "ui/common/win32/Win32EventPoster.h"
#include "ui/picker/FolderPickerLayout.h"
#include "ui/picker/PickedFolder.h"
#include "ui/picker/win32/FolderChain.h"
#include "ui/picker/win32/FolderPickerControls.h"

#include <algorithm>
#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <objbase.h>
#include <tuple>

using namespace corvano;
using namespace corvano::test;
namespace Id = corvano::FolderPickerControls;
namespace Layout = corvano::FolderPickerLayout;

using Rows = std::vector<std::wstring>;

namespace {

// What the folder list shows, top to bottom.
Rows rowsOf(HWND picker)
{
    const HWND list = control(picker, Id::Dir1);
    Rows rows(static_cast<std::size_t>(::SendMessageW(list, LB_GETCOUNT, 0, 0)));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].resize(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1);
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(rows[i].data()));
        rows[i].pop_back();
    }
    return rows;
}

// The left button's messages at the centre of the last row of that name.
void mouseOnRow(HWND picker, const std::string& name, std::initializer_list<UINT> messages)
{
    const Rows rows = rowsOf(picker);
    const auto at = std::find(rows.rbegin(), rows.rend(), WideText::fromUtf8(name));
    if (at == rows.rend())
        throw std::logic_error("no row " + name);
    RECT row{};
    ::SendMessageW(control(picker, Id::Dir1), LB_GETITEMRECT, rows.rend() - at - 1,
                   reinterpret_cast<LPARAM>(&row));
    for (const UINT message : messages)
        ::SendMessageW(control(picker, Id::Dir1), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                       MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2));
}

// Chooses the first entry of the drive list that begins so, as a user's choice tells the picker.
void chooseDrive(HWND picker, const wchar_t* start)
{
    const HWND drives = control(picker, Id::Drive1);
    if (::SendMessageW(drives, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(start)) == CB_ERR)
        throw std::logic_error("no drive entry");
    ::SendMessageW(picker, WM_COMMAND, MAKEWPARAM(Id::Drive1, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(drives));
}

// The steps run inside the picker's own loop; the picker is the system's one "dialog".
class Win32FolderPickerDriver : public FolderPickerDriver
{
public:
    Win32FolderPickerDriver()
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        for (const wchar_t* sub :
             {L"", L"\\b", L"\\a", L"\\a\\deep", L"\\a10", L"\\A2", L"\\a9", L"\\.hidden"})
            ::CreateDirectoryW((links + sub).c_str(), nullptr);
        ::SetFileAttributesW((links + L"\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ::CloseHandle(::CreateFileW((links + L"\\page.html").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, 0, nullptr));
        owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    }
    ~Win32FolderPickerDriver() override
    {
        ::DestroyWindow(owner);
        ::SetCurrentDirectoryW(L"C:\\");
        ::CoUninitialize();
    }

    bool pick(const std::string& start, const std::function<void()>& steps) override
    {
        ::SetCurrentDirectoryW(WideText::fromUtf8(start).c_str());
        Win32EventPoster poster;
        poster.post([&] {
            m_picker = ::FindWindowW(L"dialog", nullptr);
            ASSERT_NE(m_picker, nullptr);
            EXPECT_FALSE(::IsWindowEnabled(owner));
            steps();
        });
        bool leftOpen = false;
        const auto confirmed = [&] {
            // A quit request ends even a loop that has outlived its window.
            const LoopTimer watchdog(std::chrono::seconds(5), [&] {
                leftOpen = true;
                ::PostQuitMessage(0);
            });
            return FolderPicker().showModal(owner);
        }();
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_FALSE(leftOpen) << "the picker was left open";
        EXPECT_EQ(::FindWindowW(L"dialog", nullptr), nullptr);
        EXPECT_TRUE(!::IsWindow(owner) || ::IsWindowEnabled(owner));
        return confirmed;
    }
    // The chain down to the open folder, then its subfolders.
    bool shows(const std::string& open, const std::vector<std::string>& names) override
    {
        Rows rows;
        for (const FolderLink& link : FolderChain::of(WideText::fromUtf8(open)))
            rows.push_back(link.name);
        for (const std::string& name : names)
            rows.push_back(WideText::fromUtf8(name));
        return pumpUntil([&] { return rowsOf(m_picker) == rows; }, std::chrono::seconds(2));
    }
    void clickRow(const std::string& name) override
    {
        mouseOnRow(m_picker, name, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    }
    void doubleClickRow(const std::string& name) override
    {
        mouseOnRow(m_picker, name, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    }
    void pressEnter() override { key(VK_RETURN); }
    void pressEscape() override { key(VK_ESCAPE); }
    void press(const std::string& button) override
    {
        click(m_picker, button == "Command1" ? Id::Command1 : Id::Command2);
    }
    void closeBox() override { ::SendMessageW(m_picker, WM_SYSCOMMAND, SC_CLOSE, 0); }
    std::string folder(const std::string& relative) const override
    {
        std::string path = m_folder.path() + "\\" + relative;
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
    std::string root() const override { return "C:\\"; }

    // A key on the control, handled before this returns.
    void key(WPARAM key, int id = Id::Dir1)
    {
        pressKey(control(m_picker, id), key);
        pumpUntil([] {
            MSG pending;
            return !::PeekMessageW(&pending, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE);
        });
    }

    WideTemporaryFolder m_folder;
    const std::wstring links = m_folder.widePath() + L"\\links";
    HWND owner = nullptr;
    HWND m_picker = nullptr;
};

} // namespace

std::unique_ptr<FolderPickerDriver> corvano::test::makeFolderPickerDriver()
{
    return std::make_unique<Win32FolderPickerDriver>();
}

// An owner destroyed while the picker is open takes the picker with it: the picker's loop ends
// (else only the watchdog's quit request would end it) and nothing is picked.
TEST(FolderPickerTest, AnOwnerThatGoesEndsThePicker)
{
    Win32FolderPickerDriver driver;
    PickedFolder::confirm("Z:\\");
    EXPECT_FALSE(driver.pick(driver.folder("links"), [&] { ::DestroyWindow(driver.owner); }));
    EXPECT_EQ(PickedFolder::value(), "Z:\\");
}

// The picker opens at its designed twips with the focus in the drive list, on the program's
// drive. A drive that is not ready, a folder gone since it was listed, and Enter on the drive
// list or a button change nothing, without a message. Each drive's current folder is its root
// once the picker has loaded, so choosing a drive opens its root.
TEST(FolderPickerTest, OnlyAReadyDriveOrAFolderThatIsThereOpens)
{
    ASSERT_TRUE(::SetEnvironmentVariableW(L"=Z:", L"Z:\\tmp"));
    Win32FolderPickerDriver driver;
    PickedFolder::confirm("X:\\");
    BoxAnswerer boxes;
    EXPECT_TRUE(driver.pick(WideText::toUtf8(driver.links), [&] {
        const HWND picker = driver.m_picker;
        ASSERT_EQ(Dpi::of(picker).dotsPerInch(), 96);
        const RECT designed = Dpi().rect(Layout::Dir1.rect);
        const RECT place = placeOf(control(picker, Id::Dir1));
        EXPECT_TRUE(::EqualRect(&designed, &place));
        EXPECT_EQ(::GetFocus(), control(picker, Id::Drive1));
        EXPECT_EQ(WindowText::get(control(picker, Id::Drive1)).substr(0, 2), "c:");
        const Rows listed = rowsOf(picker);
        chooseDrive(picker, L"y:");
        EXPECT_EQ(WindowText::get(control(picker, Id::Drive1)).substr(0, 2), "y:");
        EXPECT_EQ(rowsOf(picker), listed);
        ::RemoveDirectoryW((driver.links + L"\\b").c_str());
        driver.doubleClickRow("b");
        EXPECT_EQ(rowsOf(picker), listed);
        for (const int id : {Id::Drive1, Id::Command1, Id::Command2})
            driver.key(VK_RETURN, id);
        EXPECT_EQ(PickedFolder::value(), "X:\\");
        chooseDrive(picker, L"z:");
        EXPECT_EQ(rowsOf(picker).front(), L"Z:\\");
        EXPECT_EQ(::GetFocus(), control(picker, Id::Dir1));
        click(picker, Id::Command1);
    }));
    EXPECT_EQ(PickedFolder::value(), "Z:\\");
    EXPECT_TRUE(boxes.take().empty());
}

// The root, then each folder down to the open one. Edge cases: roots keep their one
// backslash, stray separators go, no root gives no chain.
TEST(FolderChainTest, RootThenEachFolderDownToTheOpenOne)
{
    // The path, the names of the chain joined by "|", the open folder's path.
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"c:\\links\\\\a\\", L"C:\\|links|a", L"C:\\links\\a"},
        {L"C:", L"C:\\", L"C:\\"},
        {L"C:/links/a", L"C:\\|links|a", L"C:\\links\\a"},
        {L"\\\\server\\share\\links", L"\\\\server\\share\\|links", L"\\\\server\\share\\links"},
        {L"links\\a", L"", L""},
        {L"\\\\server", L"", L""},
        {L"1:\\a", L"", L""},
    };
    for (const auto& [path, names, open] : cases) {
        const auto chain = FolderChain::of(path);
        std::wstring joined;
        for (const FolderLink& link : chain)
            joined += (joined.empty() ? L"" : L"|") + link.name;
        EXPECT_EQ(joined, names) << path;
        EXPECT_EQ(chain.empty() ? L"" : chain.back().path, open) << path;
    }
    EXPECT_EQ(FolderChain::of(L"c:\\links\\a")[1].path, L"C:\\links");
}
