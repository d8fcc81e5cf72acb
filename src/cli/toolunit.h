#pragma once

#include <QString>

// A unit named on the tool's command line, checked before anything touches it: the
// descriptor is an existing ".lif" file and its table is there. The table is never created
// here, so a wrong name leaves nothing behind.
class ToolUnit
{
public:
    // Throws LumoError naming what is wrong.
    explicit ToolUnit(const QString &descriptor);

    QString descriptor() const { return m_descriptor; }
    QString table() const { return m_table; }

private:
    QString m_descriptor;
    QString m_table;
};
