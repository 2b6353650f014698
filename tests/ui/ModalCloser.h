#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

namespace corvano::test {

// Answers the modal windows that open while a test waits on a modal loop: every message box
// is recorded and closed with OK; any other modal dialog goes to onDialog (by default it is
// rejected; one that onDialog leaves open for a second is rejected too, so a test fails
// rather than hangs). Polls the modal stack every 20 ms.
class ModalCloser : public QObject
{
public:
    struct Box
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    ModalCloser();

    std::vector<Box> boxes;
    std::vector<QString> dialogs; // the object names of the other modal windows, in order
    std::function<void(QDialog&)> onDialog = [](QDialog& dialog) { dialog.reject(); };

private:
    void poll();

    QTimer m_timer;
    QPointer<QDialog> m_lastDialog; // cleared when it is destroyed, so a new one is new
    int m_attempts = 0;
};

} // namespace corvano::test
