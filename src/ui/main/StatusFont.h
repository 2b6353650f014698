#pragma once

#include <QFont>

namespace corvano {

// The font of the status labels: "宋体" at 10.5 points, regular; where that face is not
// installed, the first installed face that covers Simplified Chinese.
class StatusFont
{
public:
    static QFont font();
};

} // namespace corvano
