#include "widgets/unitfont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

QFont UnitFont(const QWidget &widget, const QString &family)
{
    QFont font = QApplication::font(&widget);
    if (!family.isEmpty() && QFontDatabase::hasFamily(family))
        font.setFamily(family);
    return font;
}
