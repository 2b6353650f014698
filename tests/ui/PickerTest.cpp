#include "ModalCloser.h"
#include "TemporaryFolder.h"
#include "UiInput.h"
#include "ui/picker/CenterForm.h"
#include "ui/picker/DriveList.h"
#include "ui/picker/FolderList.h"
#include "ui/picker/PickedFolder.h"
#include "ui/picker/dialog.h"

#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>

using namespace corvano;
using namespace corvano::test;

namespace {

QString qpath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

QTreeWidgetItem* openItem(const FolderList& list)
{
    QTreeWidgetItem* item = list.topLevelItem(0);
    while (item && item->data(0, Qt::UserRole).toString() != list.path())
        item = item->childCount() > 0 ? item->child(0) : nullptr;
    return item;
}

// The entries shown beneath the open folder, in order.
QStringList subfolders(const FolderList& list)
{
    QStringList names;
    if (const QTreeWidgetItem* open = openItem(list)) {
        for (int i = 0; i < open->childCount(); ++i)
            names.append(open->child(i)->text(0));
    }
    return names;
}

QTreeWidgetItem* subfolder(const FolderList& list, const QString& name)
{
    QTreeWidgetItem* open = openItem(list);
    for (int i = 0; open && i < open->childCount(); ++i) {
        if (open->child(i)->text(0) == name)
            return open->child(i);
    }
    return nullptr;
}

} // namespace

class PickerTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<TemporaryFolder>();
        for (const char* sub : {"links/b", "links/a/deep", "links/.hidden"})
            std::filesystem::create_directories(m_folder->path() / sub);
        m_folder->write("links/page.html", "x");
        m_links = qpath(m_folder->path() / "links");
    }

    void centringKeepsHalfTwipsAndNegativePositions()
    {
        QCOMPARE(centredPosition({19200, 14400}, {4000, 3000}), QPointF(7600, 5700));
        QCOMPARE(centredPosition({3000, 3000}, {4500, 6000}), QPointF(-750, -1500));
        // (1025 - 100) px = 13875 twips: the half twip of 6937.5 makes 462.5 px, rounded up.
        const QPointF odd = centredPosition(QSizeF(1025, 769) * 15, QSizeF(100, 100) * 15);
        QCOMPARE(odd, QPointF(6937.5, 5017.5));
        QCOMPARE(twipsToPixels(odd), QPoint(463, 335));
    }

    void CenterFormCentresTheWindowOnItsScreen()
    {
        QWidget window;
        window.resize(300, 200);
        window.move(0, 0);
        CenterForm(window);
        const QRect screen = window.screen()->geometry();
        QCOMPARE(window.frameGeometry().center(), screen.center());
    }

    void folderListShowsAncestorsTheOpenFolderAndItsSubfolders()
    {
        FolderList list;
        QVERIFY(list.setPath(m_links + "/"));
        QCOMPARE(list.path(), m_links);
        QCOMPARE(list.topLevelItemCount(), 1);
        QCOMPARE(list.topLevelItem(0)->text(0), QString("/"));
        QVERIFY(openItem(list));
        QCOMPARE(openItem(list)->text(0), QString("links"));
        // Folders only, hidden ones left out, in name order.
        QTRY_COMPARE(subfolders(list), QStringList({"a", "b"}));

        QVERIFY(list.setPath("/"));
        QCOMPARE(list.path(), QString("/"));
        QVERIFY(!list.setPath(m_links + "/missing"));
        QCOMPARE(list.path(), QString("/"));
    }

    void singleClickHighlightsAndDoubleClickOpens()
    {
        FolderList list;
        list.resize(300, 300);
        list.show();
        list.setPath(m_links);
        QTRY_VERIFY(subfolder(list, "a"));
        const QRect a = list.visualItemRect(subfolder(list, "a"));
        QVERIFY2(a.isValid(), "the subfolders are not shown");
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, a.center());
        QCOMPARE(list.path(), m_links);
        QCOMPARE(list.currentItem()->text(0), QString("a"));
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, a.center());
        QCOMPARE(list.path(), m_links + "/a");
        QTRY_COMPARE(subfolders(list), QStringList({"deep"}));

        list.setCurrentItem(subfolder(list, "deep"));
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), m_links + "/a/deep");
    }

    void pickerWindowAndDriveList()
    {
        dialog picker;
        QCOMPARE(picker.minimumSize(), QSize(312, 290));
        QCOMPARE(picker.maximumSize(), QSize(312, 290));
        picker.show();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QCOMPARE(picker.focusWidget()->objectName(), QString("Drive1"));
        // Each opening starts in the program's current folder.
        QCOMPARE(control<FolderList>(picker, "Dir1").path(), QDir::currentPath());

        const auto& drives = control<DriveList>(picker, "Drive1");
        QVERIFY(drives.count() >= 1);
        QCOMPARE(drives.itemData(0).toString(), QString("/"));
    }

    void choosingAVolumeOpensItsRoot()
    {
        dialog picker;
        auto& drives = control<DriveList>(picker, "Drive1");
        auto& folders = control<FolderList>(picker, "Dir1");
        if (drives.count() < 2)
            QSKIP("only one volume is mounted here");
        const int other = drives.currentIndex() == 0 ? 1 : 0;
        drives.setCurrentIndex(other);
        QCOMPARE(folders.path(), drives.itemData(other).toString());
    }

    void confirmTakesTheOpenFolderWithOneSeparator()
    {
        dialog picker;
        picker.show();
        auto& folders = control<FolderList>(picker, "Dir1");
        folders.setPath(m_links + "/a");
        // A highlighted subfolder is not the open folder.
        QTRY_VERIFY(subfolder(folders, "deep"));
        folders.setCurrentItem(subfolder(folders, "deep"));
        control<QPushButton>(picker, "Command1").click();
        QCOMPARE(PickedFolder::value(), m_links + "/a/");
        QVERIFY(!picker.isVisible());

        dialog rootPicker;
        control<FolderList>(rootPicker, "Dir1").setPath("/");
        control<QPushButton>(rootPicker, "Command1").click();
        QCOMPARE(PickedFolder::value(), QString("/"));

        dialog cancelled;
        control<FolderList>(cancelled, "Dir1").setPath(m_links);
        control<QPushButton>(cancelled, "Command2").click();
        QCOMPARE(PickedFolder::value(), QString("/"));
    }

    void neitherEnterNorEscapeClosesThePicker()
    {
        dialog picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QTest::keyClick(&picker, Qt::Key_Escape);
        QTest::keyClick(picker.focusWidget(), Qt::Key_Return);
        QVERIFY(picker.isVisible());
        QCOMPARE(picker.result(), 0);
    }

private:
    std::unique_ptr<TemporaryFolder> m_folder;
    QString m_links;
};

QTEST_MAIN(PickerTest)
#include "PickerTest.moc"
