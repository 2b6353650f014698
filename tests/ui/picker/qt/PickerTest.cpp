#include "TemporaryFolder.h"
#include "ui/common/qt/CenterForm.h"
#include "ui/common/qt/Twips.h"
#include "ui/picker/PickedFolder.h"
#include "ui/picker/qt/FolderList.h"
#include "ui/picker/qt/FolderPicker.h"

#include <QPushButton>
#include <QTest>
#include <filesystem>

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
QStringList subfolders(const FolderList& list)
{
    QTreeWidgetItem* open = list.topLevelItem(0);
    while (open && open->data(0, Qt::UserRole).toString() != list.path())
        open = open->child(0);
    QStringList names;
    for (int i = 0; open && i < open->childCount(); ++i)
        names.append(open->child(i)->text(0));
    return names;
}

} // namespace

class PickerTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { m_list.reset(); }

    void init()
    {
        for (const char* sub : {"links/b", "links/a/deep", "links/.hidden"})
            std::filesystem::create_directories(m_folder.path() / sub);
        m_folder.write("links/page.html", "x");
    }

    // Half twips stay in the arithmetic until the pixels; a larger window goes negative.
    void centringKeepsHalfTwips()
    {
        QCOMPARE(centredPosition({3000, 3000}, {4500, 6000}), QPointF(-750, -1500));
        const QPointF odd = centredPosition(QSizeF(1025, 769) * 15, QSizeF(100, 100) * 15);
        QCOMPARE(odd, QPointF(6937.5, 5017.5));
        QCOMPARE(Twips::toNearestPixels(odd), QPoint(463, 335));
    }

    // The list shows the open folder's subfolders only: no files, no hidden folders. A click
    // only highlights; Enter or a double click opens; a folder that cannot be listed is not
    // opened and the open one stays.
    void clicksHighlightAndEnterOrADoubleClickOpens()
    {
        FolderList& list = showList();
        QCOMPARE(list.topLevelItem(0)->text(0), QString("/"));
        QTRY_COMPARE(subfolders(list), QStringList({"a", "b"}));
        const QPoint a = list.visualItemRect(shown(list, "a")).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, a);
        QCOMPARE(list.path(), m_links);
        QCOMPARE(list.currentItem()->text(0), QString("a"));
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), m_links + "/a");
        QVERIFY(list.setPath(m_links));
        QTRY_VERIFY(shown(list, "a"));
        // A double click begins with a click; QTest's double click sends only its second half.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, a);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, a);
        QCOMPARE(list.path(), m_links + "/a");
        QTRY_COMPARE(subfolders(list), QStringList({"deep"}));
        QVERIFY(!list.setPath(m_links + "/missing"));
        QCOMPARE(list.path(), m_links + "/a");
    }

    // "确定" takes the open folder, not a highlighted subfolder, and it ends with one "/".
    void pickedFolderEndsWithOneSeparator_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<QString>("picked");
        QTest::newRow("a subfolder highlighted") << m_links + "/a"
                                                 << "deep" << m_links + "/a/";
        QTest::newRow("the root") << "/" << QString() << "/";
    }

    void pickedFolderEndsWithOneSeparator()
    {
        QFETCH(QString, open);
        QFETCH(QString, highlighted);
        QFETCH(QString, picked);
        FolderPicker picker;
        picker.show();
        auto* folders = picker.findChild<FolderList*>("Dir1");
        QVERIFY(folders && folders->setPath(open));
        if (!highlighted.isEmpty()) {
            QTRY_VERIFY(shown(*folders, highlighted));
            folders->setCurrentItem(shown(*folders, highlighted));
        }
        picker.findChild<QPushButton*>("Command1")->click();
        QCOMPARE(QString::fromStdString(PickedFolder::value()), picked);
        QVERIFY(!picker.isVisible());
    }

    // Esc closes the picker as "取消" does: PickedFolder keeps the last confirmed folder.
    void escapeCancels()
    {
        PickedFolder::confirm("/");
        FolderPicker picker;
        picker.show();
        QVERIFY(picker.findChild<FolderList*>("Dir1")->setPath(m_links));
        QTest::keyClick(&picker, Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QCOMPARE(PickedFolder::value(), std::string("/"));
    }

private:
    // A folder list on the screen, open at links.
    FolderList& showList()
    {
        m_list = std::make_unique<FolderList>();
        m_list->resize(300, 300);
        m_list->show();
        if (!m_list->setPath(m_links))
            qFatal("cannot open %s", qPrintable(m_links));
        return *m_list;
    }

    TemporaryFolder m_folder;
    const QString m_links = QString::fromStdString((m_folder.path() / "links").string());
    std::unique_ptr<FolderList> m_list;
};

QTEST_MAIN(PickerTest)
#include "PickerTest.moc"
