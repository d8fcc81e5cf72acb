#pragma once

class QString;
class QTableView;

// The look the grids of a unit's entries share, as a data-aware grid has it: column titles,
// a narrow row indicator, columns the user can widen, grid lines, Tab moving between cells,
// and rows of one fixed height, which keeps a unit of any size quick to scroll.
void ApplyDataGridLook(QTableView &grid, int indicatorWidth);

// The unit's font for the grid's words (see UnitFont); the rows follow its height.
void ApplyUnitFont(QTableView &grid, const QString &family);
