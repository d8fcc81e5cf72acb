#include "print/cardtext.h"

namespace CardText {
namespace {
bool endsLine(QChar c)
{
    static const QString breaks = QStringLiteral(" !.,?;|&)]+=:>");
    return breaks.contains(c);
}

bool opensBracket(QChar c)
{
    return c == u'(' || c == u'[' || c == u'<';
}
} // namespace

int FindLineBreak(const QString &s)
{
    for (int i = int(s.size()) - 2; i >= 0; --i) {
        const QChar c = s.at(i);
        if (endsLine(c))
            return i + 1;
        // A bracketed part moves to the next line whole, the bracket with it.
        if (opensBracket(c) && i > 0)
            return i;
    }
    return int(s.size()) - 1;
}

QStringList WrapCardText(const QString &text, int width, const std::function<int(const QString &)> &textWidth)
{
    QStringList lines{text};
    while (!lines.last().isEmpty() && textWidth(lines.last()) >= width) {
        const QString whole = lines.last();
        QString &line = lines.last();
        QString rest;
        do {
            const int p = FindLineBreak(line);
            rest = whole.mid(p);
            line = line.left(p);
        } while (!line.isEmpty() && textWidth(line) >= width);
        if (line.isEmpty()) {
            // Not even one character fits: print it anyway rather than loop for ever.
            line = whole.left(1);
            rest = whole.mid(1);
        }
        if (lines.size() == MaxLines || rest.isEmpty())
            break;
        lines.append(rest);
    }
    return lines;
}
} // namespace CardText
