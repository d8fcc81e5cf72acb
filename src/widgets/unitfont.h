#pragma once

#include <QFont>

// The font a unit names for its words, on top of base. Units made on other systems name
// fonts this one lacks ("MS Sans Serif"); those keep the base font's family rather than
// whatever the font matcher would substitute.
QFont UnitFont(const QFont &base, const QString &family);
