#include "widgets/datagridlook.h"

#include "widgets/unitfont.h"

#include <QHeaderView>
#include <QTableView>

namespace {
void fitRowsToFont(QTableView &grid)
{
    grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + 4);
}
} // namespace

void ApplyDataGridLook(QTableView &grid, int indicatorWidth)
{
    grid.setTabKeyNavigation(true);
    grid.setWordWrap(false);
    grid.setShowGrid(true);
    QHeaderView *rows = grid.verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setFixedWidth(indicatorWidth);
    rows->setDefaultAlignment(Qt::AlignCenter);
    fitRowsToFont(grid);
    QHeaderView *columns = grid.horizontalHeader();
    QFont title = UnitFont(*columns, QStringLiteral("MS Sans Serif"));
    title.setPixelSize(11);
    // Every property set: the titles keep their font when the grid takes a unit's font.
    title.setResolveMask(QFont::AllPropertiesResolved);
    columns->setFont(title);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
}

void ApplyUnitFont(QTableView &grid, const QString &family)
{
    grid.setFont(UnitFont(grid, family.left(255)));
    fitRowsToFont(grid);
}
