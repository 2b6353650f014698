#pragma once

#include "engine/MainSurface.h"

#include <QMessageBox>

namespace corvano {

// The program's message boxes: modal, an icon by style and the OK button only.
class MessageBox
{
public:
    static void show(QWidget* parent, const QString& text, const QString& title,
                     MessageStyle style);
    static QMessageBox::Icon iconOf(MessageStyle style);
};

} // namespace corvano
