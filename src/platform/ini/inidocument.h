#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The text of one INI file as lines, with an index of the first matching section and key for
// look-ups. Edits change only the lines they concern, so comments, order, spelling and line
// ends of everything else survive a write. No file access here: IniFile reads and writes.
class IniDocument
{
public:
    IniDocument() = default;
    static IniDocument parse(const QString &text);
    QString toText() const;

    // The value as the file holds it: trimmed, outer quotes removed, cut to the longest a
    // reader may return.
    std::optional<QString> value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    QStringList keys(const QString &section) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    // False when there was no such section.
    bool removeSection(const QString &section);

    // How a value must be written so that reading gives it back.
    static QString encodeValue(const QString &value);
    // Names that a reader would not find again once written.
    static bool isWritableSectionName(const QString &section);
    static bool isWritableKeyName(const QString &key);

private:
    enum class LineKind { Other, Section, Key };
    struct Line
    {
        QString text;
        QString ending; // "\r\n", "\n", "\r" or empty for a last line without one
        LineKind kind = LineKind::Other;
        QString name;          // section or key name as written, trimmed
        qsizetype valueAt = 0; // where the value starts in text (key lines)
    };
    struct SectionIndex
    {
        qsizetype headerLine = 0;
        qsizetype endLine = 0;          // one past the last line of the block
        QHash<QString, QString> values; // folded key -> first value
        QStringList keyOrder;
    };

    static Line classify(QString text, QString ending);
    static QString fold(const QString &name);
    void reindex();
    const SectionIndex *findSection(const QString &section) const;
    QString newLineEnding() const;
    void insertLine(qsizetype at, const QString &text);
    void appendSection(const QString &section, const QString &keyLine);

    QList<Line> m_lines;
    QHash<QString, SectionIndex> m_sections; // folded name -> first section of that name
};
