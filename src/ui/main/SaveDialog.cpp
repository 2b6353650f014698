#include "SaveDialog.h"

#include <QFileDialog>

namespace corvano {

QString SaveDialog::ShowSave(QWidget& parent)
{
    QFileDialog dialog(&parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(Filter);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The description already names the pattern; the list shows it once, not twice.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace corvano
