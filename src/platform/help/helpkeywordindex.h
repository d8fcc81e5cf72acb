#pragma once

#include <QList>
#include <QString>

#include <optional>

// The keyword index of a help: a plain text file with one "keyword=page" a line, where page is
// a page of the help folder, optionally followed by "#" and an anchor on it. Empty lines and
// lines starting with ";" are left out. The window "Search for Help On..." lists the keywords.
class HelpKeywordIndex
{
public:
    struct Entry
    {
        QString keyword;
        QString page;
    };

    static HelpKeywordIndex parse(const QString &text);
    // The index in file, or nothing when the file cannot be read.
    static std::optional<HelpKeywordIndex> load(const QString &file);

    // Sorted by keyword without regard to case.
    const QList<Entry> &entries() const { return m_entries; }
    // Numbers (from 1) of the lines that are neither entries nor comments.
    const QList<int> &badLines() const { return m_badLines; }

    // The entries whose keyword contains text, without regard to case; those that begin with
    // it come first. An empty text matches every entry.
    QList<Entry> matching(const QString &text) const;

private:
    QList<Entry> m_entries;
    QList<int> m_badLines;
};
