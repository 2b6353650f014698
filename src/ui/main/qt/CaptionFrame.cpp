#include "CaptionFrame.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace corvano {

namespace {

constexpr int kCaptionIndent = 8; // pixels from the frame's left edge to the caption
constexpr int kCaptionGap = 2;    // pixels of broken line on each side of the caption

} // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int CaptionFrame::lineTop() const
{
    return fontMetrics().height() / 2;
}

QRect CaptionFrame::captionRect() const
{
    const QFontMetrics metrics = fontMetrics();
    return {kCaptionIndent, 0, metrics.horizontalAdvance(title()), metrics.height()};
}

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect caption = captionRect();
    painter.save();
    if (!title().isEmpty())
        painter.setClipRegion(
            QRegion(rect()).subtracted(caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0)));
    // An etched line: a dark one with a light one beside it.
    qDrawShadeRect(&painter, rect().adjusted(0, lineTop(), 0, 0), palette(), true, 1, 0);
    painter.restore();
    style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignVCenter, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}

} // namespace corvano
