#pragma once

#include "Twips.h"

#include <QWidget>

namespace corvano {

// Names the widget after its designed control and puts it at its designed place.
template <typename Widget> Widget* place(Widget* widget, const ControlLayout& layout)
{
    widget->setObjectName(layout.name);
    widget->setGeometry(Twips::rect(layout.rect));
    return widget;
}

} // namespace corvano
