#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <span>

// The texts of a dialog from a UI language file: each key read from the dialog's own section,
// or from "general" for the texts all dialogs share, with its English text where the file
// lacks it or none has been read.
class DialogTexts
{
public:
    // One entry of a dialog's table of texts, in the order of reading.
    struct Text
    {
        const char *key;
        const char *english; // UTF-8
        bool general;
    };
    struct Key
    {
        QString key;
        QString english;
        bool general;
    };

    explicit DialogTexts(std::span<const Text> texts) : m_texts(texts) {}

    // Reads every text from the file under section (and "general").
    void read(const QString &languageFile, const QString &section);
    QString text(const QString &key) const;
    QList<Key> keys() const;

private:
    std::span<const Text> m_texts;
    QHash<QString, QString> m_read;
};
