#include "SaveDialog.h"

#include "ui/main/MainWindowLayout.h"

#include <QFileDialog>
#include <QFileIconProvider>

namespace corvano::SaveDialog {

namespace {

// Qt's translations lack the type name of a folder in the file list.
class ChineseTypeNames : public QFileIconProvider
{
public:
    QString type(const QFileInfo& info) const override
    {
        return info.isDir() ? QStringLiteral("文件夹") : QFileIconProvider::type(info);
    }
};

} // namespace

QString ShowSave(QWidget& parent)
{
    ChineseTypeNames typeNames; // outlives the dialog that uses it
    QFileDialog dialog(&parent);
    dialog.setIconProvider(&typeNames);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString("%1 (%2)").arg(MainWindowLayout::kSaveFilterName,
                                                MainWindowLayout::kSaveFilterPattern));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The description already names the pattern; the list shows it once, not twice.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace corvano::SaveDialog
