#pragma once

#include <QPixmap>

// The small pictures of the print setup dialog: what a page of each kind looks like.
namespace PrintPreviews {
QPixmap portraitList();
QPixmap landscapeList();
QPixmap cards(); // a landscape sheet of 4 x 4 cards
} // namespace PrintPreviews
