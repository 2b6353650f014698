#include "UiInput.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

namespace corvano::test {

void typeText(QWidget& widget, const QString& text)
{
    for (const uint codePoint : text.toUcs4()) {
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1));
        QApplication::sendEvent(&widget, &commit);
    }
}

void chooseFile(QDialog& fileDialog, const QString& path)
{
    control<QLineEdit>(fileDialog, "fileNameEdit").setText(path);
    fileDialog.accept();
}

void clickTab(QWidget& window, int position)
{
    auto& tabs = control<QTabBar>(window, "TabStrip1Tabs");
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(position - 1).center());
}

} // namespace corvano::test
