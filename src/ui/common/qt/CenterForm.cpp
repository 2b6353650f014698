#include "CenterForm.h"

#include "Twips.h"

#include <QScreen>
#include <QWidget>

namespace corvano {

QPointF centredPosition(QSizeF screenTwips, QSizeF outerTwips)
{
    const double left = (screenTwips.width() - outerTwips.width()) / 2.0;
    const double top = (screenTwips.height() - outerTwips.height()) / 2.0;
    return {left, top};
}

void CenterForm(QWidget& form)
{
    const QScreen* screen = form.screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // Before the window is first shown its frame is unknown and this is its client size.
    const QSize outer = form.frameGeometry().size();
    const QPointF twips =
        centredPosition(QSizeF(area.size()) * Twips::kPerPixel, QSizeF(outer) * Twips::kPerPixel);
    form.move(area.topLeft() + Twips::toNearestPixels(twips));
}

} // namespace corvano
