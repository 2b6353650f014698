#pragma once

#include "engine/MainSurface.h"

#include <QString>

class QWidget;

// The program's message boxes: modal, an icon by style and the OK button only.
namespace corvano::MessageBox {

void show(QWidget* parent, const QString& text, const QString& title, MessageStyle style);
// A modal question with the question icon, Yes and No (style 36); true for Yes. The text's
// CR LF line breaks stay line breaks.
bool ask(QWidget* parent, QString text, const QString& title);

} // namespace corvano::MessageBox
