#include "MessageBox.h"

#include <QMessageBox>

namespace corvano::MessageBox {

namespace {

QMessageBox::Icon iconOf(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Critical:
        return QMessageBox::Critical;
    case MessageStyle::Exclamation:
        return QMessageBox::Warning;
    case MessageStyle::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void show(QWidget* parent, const QString& text, const QString& title, MessageStyle style)
{
    QMessageBox box(iconOf(style), title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool ask(QWidget* parent, QString text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text.replace("\r\n", "\n"),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

} // namespace corvano::MessageBox
