#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Unit tables that carry SQL nobody here wrote, as a file from elsewhere may: each is one of
// ours by its header and application id, so only a look at its schema can tell.
namespace HostileUnit {

// A collation the program does not know; the maker's own connection knows it, so that an
// index in it can be made.
inline constexpr const char *UnknownCollation = "HOSTILE_ORDER";
// The entry every recipe's unit holds before its own SQL is run.
inline constexpr const char *KeptNative = "Haus";
inline constexpr const char *KeptForeign = "house";

// Makes a unit table of ours at path holding the kept entry, then runs sql in order on a
// plain connection without the program's defences (writable schema allowed). Returns
// SQLite's first complaint, empty when everything ran.
QString make(const QString &path, const QStringList &sql);

struct Recipe
{
    QString name;
    QStringList sql;
};

// An AFTER INSERT trigger that deletes every other entry.
Recipe deletingTrigger();
// A trigger that gives every new entry a sound of 300,000,000 zero bytes.
Recipe growingTrigger();
// A default of 200,000,000 zero bytes for the native sound.
Recipe growingDefault();
// "vocabulary" as a view over a query that never ends.
Recipe endlessView();
// Every recipe whose file must be refused when it is opened.
QList<Recipe> refusedAtOpen();

} // namespace HostileUnit
