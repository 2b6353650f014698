#include "WindowIcon.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace corvano::WindowIcon {

namespace {

void drawFolder(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x8a, 0x62, 0x12), 1.5));
    painter.setBrush(QColor(0xf2, 0xc1, 0x4e));
    QPainterPath folder;
    folder.moveTo(2, 8);
    folder.lineTo(12, 8);
    folder.lineTo(15, 11);
    folder.lineTo(30, 11);
    folder.lineTo(30, 28);
    folder.lineTo(2, 28);
    folder.closeSubpath();
    painter.drawPath(folder);
}

void drawChain(QPainter& painter)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x1f, 0x4e, 0x9c), 2.5));
    painter.drawRoundedRect(QRectF(7, 15, 11, 7), 3.5, 3.5);
    painter.drawRoundedRect(QRectF(14, 18, 11, 7), 3.5, 3.5);
}

} // namespace

QIcon icon()
{
    // 24-bit colour: white stands in for transparency, as in a classic icon picture.
    QImage picture(32, 32, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFolder(painter);
    drawChain(painter);
    painter.end();
    return QIcon(QPixmap::fromImage(picture));
}

} // namespace corvano::WindowIcon
