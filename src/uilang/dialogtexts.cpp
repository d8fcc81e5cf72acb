#include "uilang/dialogtexts.h"

#include "uilang/translate.h"

void DialogTexts::read(const QString &languageFile, const QString &section)
{
    for (const Text &t : m_texts)
        m_read.insert(QLatin1String(t.key),
                      Translate(languageFile, t.general ? QStringLiteral("general") : section,
                                QLatin1String(t.key), QString::fromUtf8(t.english)));
}

QString DialogTexts::text(const QString &key) const
{
    const auto found = m_read.constFind(key);
    if (found != m_read.constEnd())
        return found.value();
    for (const Text &t : m_texts)
        if (key == QLatin1String(t.key))
            return QString::fromUtf8(t.english);
    return QString();
}

QList<DialogTexts::Key> DialogTexts::keys() const
{
    QList<Key> keys;
    for (const Text &t : m_texts)
        keys.append({QLatin1String(t.key), QString::fromUtf8(t.english), t.general});
    return keys;
}
