#pragma once

#include "platform/lumoerror.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

// The small types the table engine shares with its users, so that naming a field, an
// index or a filter does not mean including the table class.

// Raised by the table engine; the text names the file where one is involved.
class TableError : public LumoError
{
public:
    using LumoError::LumoError;
};

enum class FieldType { AutoInc, String, SmallInt, Integer, Blob };

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // characters, for String
};

struct IndexDef
{
    QString name; // empty for the primary index
    QString field;
    bool primary = false;
    bool caseInsensitive = false;
};

// One record as the filter callback sees it: every field by position; blob fields hold
// only whether they are non-empty (a bool), never their bytes.
struct TableRecord
{
    QVariantList values;
};

// Decides whether a record shows while a data set is filtered.
using RecordFilter = std::function<bool(const TableRecord &)>;
