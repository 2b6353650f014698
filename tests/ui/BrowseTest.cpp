#include "ModalCloser.h"
#include "TemporaryFolder.h"
#include "UiInput.h"
#include "ui/main/curl.h"
#include "ui/picker/FolderList.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

using namespace corvano;
using namespace corvano::test;

// The browse button. PickedFolder lives for the whole program run, so the order of these
// cases matters: the first one runs before any folder was ever confirmed.
class BrowseTest : public QObject
{
    Q_OBJECT

private slots:
    void cancelBeforeAnyConfirmationEmptiesText2()
    {
        TemporaryFolder program;
        {
            curl window({program.path().string()});
            control<QLineEdit>(window, "Text2").setText("/restored/folder/");
            window.close();
        }
        curl window({program.path().string()});
        QCOMPARE(window.text(2), std::string("/restored/folder/"));
        ModalCloser closer;
        closer.onDialog = [](QDialog& picker) { control<QPushButton>(picker, "Command2").click(); };
        control<QPushButton>(window, "Command2").click();
        QCOMPARE(closer.dialogs, std::vector<QString>({"dialog"}));
        QCOMPARE(window.text(2), std::string());
    }

    void cancelAfterAConfirmationRestoresTheConfirmedFolder()
    {
        TemporaryFolder program;
        std::filesystem::create_directory(program.path() / "链接");
        const QString links = QString::fromStdString((program.path() / "链接").string());
        curl window({program.path().string()});
        ModalCloser closer;
        closer.onDialog = [&](QDialog& picker) {
            control<FolderList>(picker, "Dir1").setPath(links);
            control<QPushButton>(picker, "Command1").click();
        };
        control<QPushButton>(window, "Command2").click();
        QCOMPARE(window.text(2), (links + "/").toStdString());

        control<QLineEdit>(window, "Text2").setText("typed over");
        closer.onDialog = [](QDialog& picker) { control<QPushButton>(picker, "Command2").click(); };
        control<QPushButton>(window, "Command2").click();
        QCOMPARE(window.text(2), (links + "/").toStdString());

        // The close box is a cancel too.
        control<QLineEdit>(window, "Text2").setText("typed again");
        closer.onDialog = [](QDialog& picker) { picker.close(); };
        control<QPushButton>(window, "Command2").click();
        QCOMPARE(window.text(2), (links + "/").toStdString());
        QCOMPARE(closer.dialogs.size(), std::size_t(3));
    }
};

QTEST_MAIN(BrowseTest)
#include "BrowseTest.moc"
