#include "ModalCloser.h"

#include <QApplication>
#include <QPushButton>

namespace corvano::test {

ModalCloser::ModalCloser()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalCloser::poll);
    m_timer.start(20);
}

void ModalCloser::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        boxes.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons()});
        box->button(QMessageBox::Ok)->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        m_attempts = dialog == m_lastDialog ? m_attempts + 1 : 0;
        m_lastDialog = dialog;
        if (m_attempts == 0) {
            dialogs.push_back(dialog->objectName());
            onDialog(*dialog);
        } else if (m_attempts > 50) {
            dialog->reject();
        }
    }
}

} // namespace corvano::test
