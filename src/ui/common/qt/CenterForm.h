#pragma once

#include <QPointF>
#include <QSizeF>

class QWidget;

namespace corvano {

// Centres a window on its screen: Left, then Top, each (screen extent − outer extent) / 2.
void CenterForm(QWidget& form);

// The centred position of a window, all in twips. Half twips are kept and a window larger
// than the screen gets a negative position.
QPointF centredPosition(QSizeF screenTwips, QSizeF outerTwips);

} // namespace corvano
