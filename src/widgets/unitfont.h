#pragma once

#include <QFont>

class QWidget;

// The font a unit names for the words shown in widget: the widget's default font with that
// family. Units made on other systems name fonts this one lacks ("MS Sans Serif"); those get
// the default font, never the font of the unit shown before nor whatever the font matcher
// would substitute.
QFont UnitFont(const QWidget &widget, const QString &family);
