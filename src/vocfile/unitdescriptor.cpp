#include "vocfile/unitdescriptor.h"

#include "platform/ini/inibatch.h"

namespace {
const QString section()
{
    return QString::fromLatin1(UnitDescriptor::Section);
}
} // namespace

UnitDescriptor::UnitDescriptor(QString path) : m_ini(std::move(path)) {}

QString UnitDescriptor::read(const char *key, const QString &defaultValue) const
{
    return m_ini.readString(section(), QString::fromLatin1(key), defaultValue);
}

QString UnitDescriptor::fileType() const
{
    return read("FileType", QString::fromLatin1(VocabularyFileType));
}

bool UnitDescriptor::isVocabularyUnit() const
{
    return fileType().toLower() == QLatin1String(VocabularyFileType);
}

int UnitDescriptor::firstLanguage() const
{
    return m_ini.readInteger(section(), QStringLiteral("FirstLanguage"), 0);
}

int UnitDescriptor::secondLanguage() const
{
    return m_ini.readInteger(section(), QStringLiteral("SecondLanguage"), 0);
}

QString UnitDescriptor::description(const QString &defaultValue) const
{
    return read("Description", defaultValue);
}

QString UnitDescriptor::font() const
{
    return read("Font", QString::fromLatin1(DefaultFont));
}

void UnitDescriptor::write(int firstLanguage, int secondLanguage, const QString &description,
                           const QString &font)
{
    IniBatch batch(path());
    writeKeys(batch, firstLanguage, secondLanguage, description, font);
    batch.commit();
}

bool UnitDescriptor::create(int firstLanguage, int secondLanguage, const QString &description,
                            const QString &font)
{
    IniBatch batch(path());
    writeKeys(batch, firstLanguage, secondLanguage, description, font);
    return batch.commitAsNew();
}

void UnitDescriptor::writeKeys(IniBatch &batch, int firstLanguage, int secondLanguage,
                               const QString &description, const QString &font)
{
    batch.writeString(section(), QStringLiteral("FileType"), QString::fromLatin1(VocabularyFileType));
    batch.writeInteger(section(), QStringLiteral("FirstLanguage"), firstLanguage);
    batch.writeInteger(section(), QStringLiteral("SecondLanguage"), secondLanguage);
    batch.writeString(section(), QStringLiteral("Description"), description);
    batch.writeString(section(), QStringLiteral("Font"), font);
}
