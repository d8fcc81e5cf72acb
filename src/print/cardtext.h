#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Breaking a card's text into lines that fit the card.
namespace CardText {
constexpr int MaxLines = 20;

// The number of characters the first line of s keeps: up to and including the last break
// character before the last character, or up to an opening bracket, which starts the next
// line; length - 1 when there is none.
int FindLineBreak(const QString &s);

// Lines 1..n of text, each narrower than width as measured by textWidth, at most MaxLines;
// what does not fit in them is not printed.
QStringList WrapCardText(const QString &text, int width,
                         const std::function<int(const QString &)> &textWidth);
} // namespace CardText
