#pragma once

#include "engine/MainSurface.h"

#include <QString>

class QWidget;

// The program's message boxes: modal, an icon by style and the OK button only.
namespace corvano::MessageBox {

void show(QWidget* parent, const QString& text, const QString& title, MessageStyle style);

} // namespace corvano::MessageBox
