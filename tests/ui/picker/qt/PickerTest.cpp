// The Qt folder picker's driver for the shared scenarios, and what only it shows.
#include "../FolderPickerDriver.h"
#include "TemporaryFolder.h"
#include "ui/common/qt/CenterForm.h"
#include "ui/common/qt/Twips.h"
#include "ui/picker/qt/FolderList.h"
#include "ui/picker/qt/FolderPicker.h"

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

// The last item of that name: beneath the open folder, when a subfolder has it.
QTreeWidgetItem* shown(const FolderList& list, const QString& name)
{
    const auto found = list.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.last();
}

// The names beneath the open folder, the end of the chain that starts at the root.
std::vector<std::string> subfolders(const FolderList& list)
{
    QTreeWidgetItem* open = list.topLevelItem(0);
    while (open && open->data(0, Qt::UserRole).toString() != list.path())
        open = open->child(0);
    std::vector<std::string> names;
    for (int i = 0; open && i < open->childCount(); ++i)
        names.push_back(open->child(i)->text(0).toStdString());
    return names;
}

class QtFolderPickerDriver : public FolderPickerDriver
{
public:
    QtFolderPickerDriver()
    {
        for (const char* sub :
             {"links/b", "links/a/deep", "links/a10", "links/A2", "links/a9", "links/.hidden"})
            std::filesystem::create_directories(m_folder.path() / sub);
        m_folder.write("links/page.html", "x");
    }

    bool pick(const std::string& start, const std::function<void()>& steps) override
    {
        FolderPicker picker;
        picker.show();
        m_picker = &picker;
        m_list = picker.findChild<FolderList*>("Dir1");
        EXPECT_TRUE(m_list->setPath(QString::fromStdString(start))) << start;
        steps();
        EXPECT_FALSE(picker.isVisible()) << "the picker was left open";
        return picker.result() == QDialog::Accepted;
    }
    bool shows(const std::string& open, const std::vector<std::string>& names) override
    {
        return QTest::qWaitFor(
            [&] { return m_list->path().toStdString() == open && subfolders(*m_list) == names; },
            2000);
    }
    void clickRow(const std::string& name) override
    {
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, row(name));
    }
    // A double click begins with a click; QTest's double click sends only its second half.
    void doubleClickRow(const std::string& name) override
    {
        const QPoint at = row(name);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, at);
    }
    void pressEnter() override { QTest::keyClick(m_list, Qt::Key_Return); }
    void pressEscape() override { QTest::keyClick(m_picker, Qt::Key_Escape); }
    void press(const std::string& button) override
    {
        m_picker->findChild<QPushButton*>(QString::fromStdString(button))->click();
    }
    void closeBox() override { m_picker->close(); }
    std::string folder(const std::string& relative) const override
    {
        return (m_folder.path() / relative).string();
    }
    std::string root() const override { return "/"; }

    FolderList* m_list = nullptr;

private:
    QPoint row(const std::string& name)
    {
        const QString wanted = QString::fromStdString(name);
        if (!QTest::qWaitFor([&] { return shown(*m_list, wanted); }, 2000))
            throw std::logic_error("no row " + name);
        return m_list->visualItemRect(shown(*m_list, wanted)).center();
    }

    TemporaryFolder m_folder;
    QDialog* m_picker = nullptr;
};

} // namespace

std::unique_ptr<FolderPickerDriver> corvano::test::makeFolderPickerDriver()
{
    return std::make_unique<QtFolderPickerDriver>();
}

// Half twips stay in the arithmetic until the pixels; a larger window goes negative.
TEST(QtCentring, KeepsHalfTwips)
{
    EXPECT_EQ(centredPosition({3000, 3000}, {4500, 6000}), QPointF(-750, -1500));
    const QPointF odd = centredPosition(QSizeF(1025, 769) * 15, QSizeF(100, 100) * 15);
    EXPECT_EQ(odd, QPointF(6937.5, 5017.5));
    EXPECT_EQ(Twips::toNearestPixels(odd), QPoint(463, 335));
}

// A folder that cannot be listed is not opened, and the open one stays.
TEST(QtFolderList, OpensOnlyWhatCanBeListed)
{
    QtFolderPickerDriver driver;
    driver.pick(driver.folder("links/a"), [&] {
        EXPECT_FALSE(driver.m_list->setPath(QString::fromStdString(driver.folder("missing"))));
        EXPECT_TRUE(driver.shows(driver.folder("links/a"), {"deep"}));
        driver.press("Command2");
    });
}
