#include "widgets/unitfont.h"

#include <QFontDatabase>

QFont UnitFont(const QFont &base, const QString &family)
{
    QFont font = base;
    if (!family.isEmpty() && QFontDatabase::hasFamily(family))
        font.setFamily(family);
    return font;
}
