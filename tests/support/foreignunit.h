#pragma once

#include <QString>
#include <QStringList>

// A unit whose table another program made: the statements run on a new file that carries
// this program's mark, so that it opens like one of ours. The descriptor names German and
// English. Returns the descriptor's path; throws TableError when a statement fails.
QString MakeForeignUnit(const QString &folder, const QString &name, const QStringList &statements);

// The table statement of a vocabulary table with the fields in the given order, each as
// "name type" (a field of ours, or another).
QString ForeignTable(const QStringList &columns);

// The seven fields of a vocabulary table, each as "name type", in the schema's order.
QStringList VocabularyColumns();
