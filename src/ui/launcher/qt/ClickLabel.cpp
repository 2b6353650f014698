#include "ClickLabel.h"

#include <QMouseEvent>

namespace corvano {

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseDown();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseUp();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace corvano
