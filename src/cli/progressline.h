#pragma once

#include <QString>
#include <QTextStream>

// A line on a terminal that shows how far long work has come, rewritten in place; nothing at
// all when the output goes into a pipe or a file, so scripts read clean output.
class ProgressLine
{
public:
    ProgressLine(QTextStream &stream, bool terminal) : m_stream(stream), m_terminal(terminal) {}
    ~ProgressLine() { finish(); }

    void show(int done, int total, const QString &what);
    // Clears the line, so the next message starts at its beginning.
    void finish();

private:
    QTextStream &m_stream;
    bool m_terminal;
    int m_shownWidth = 0;
};
