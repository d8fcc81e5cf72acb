#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A word list as read from a file, before anything is written: rows of cells. For CSV the
// columns are the file's columns; for KVTML they are its languages, named by the file, and
// each row may carry a word type of its own.
struct WordTable
{
    struct Row
    {
        int line = 0;      // where the row begins in the file, from 1
        QStringList cells; // one per column; a short row has fewer
        int type = -1;     // word type 0 to 10 given by the file, -1 when none
    };

    int columnCount = 0;        // cells of the longest row
    QStringList columnNames;    // KVTML: the languages' names; CSV: empty
    QList<int> columnLanguages; // KVTML: the language number of each column; CSV: empty
    QString encoding;           // how the bytes were read: "UTF-8", "Windows-1252", ...
    int replacedBytes = 0;      // bytes that were no text in it, each read as U+FFFD
    QList<Row> rows;
};
