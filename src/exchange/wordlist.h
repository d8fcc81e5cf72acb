#pragma once

#include <QList>
#include <QString>

// One entry of a unit as word lists carry it.
struct WordPair
{
    QString native;
    QString foreign;
    int type = 0;

    bool operator==(const WordPair &other) const = default;
};

// The words of a unit in index order, with what a word list file says about the unit.
struct WordList
{
    QString title;
    int nativeLanguage = 0;
    int foreignLanguage = 0;
    QList<WordPair> pairs;
};
