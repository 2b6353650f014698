#include "StatusFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace corvano {

QFont StatusFont::font()
{
    QStringList families{"宋体", "SimSun"};
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (!chinese.isEmpty())
        families.append(chinese.first());
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(10.5);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    return font;
}

} // namespace corvano
