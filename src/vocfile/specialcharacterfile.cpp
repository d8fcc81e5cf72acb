#include "vocfile/specialcharacterfile.h"

#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"
#include "platform/programfolder.h"
#include "vocfile/vocabularylanguages.h"

namespace {
constexpr int EmptySlot = -1;

QString sectionOf(int language)
{
    return QStringLiteral("LANGUAGE") + QString::number(language);
}

QString keyOf(int slot)
{
    return QStringLiteral("Char") + QString::number(slot);
}
} // namespace

QString SpecialCharacterFileName()
{
    return ProgramFileToRead(QString::fromLatin1(SpecialCharacterFile::FileName));
}

SpecialCharacterFile::SpecialCharacterFile(QString path) : m_path(std::move(path))
{
    // The program's own file may lie in the installed folder and in the user's: it is read
    // from the user's copy when there is one and always written there.
    const QString name = QString::fromLatin1(FileName);
    m_programFile = m_path == ProgramFolder() + name || m_path == ProgramFileToRead(name);
}

QString SpecialCharacterFile::readPath() const
{
    return m_programFile ? SpecialCharacterFileName() : m_path;
}

bool SpecialCharacterFile::exists() const
{
    return IniFile(readPath()).exists();
}

CodePage SpecialCharacterFile::codePageOf(int language)
{
    switch (language) {
    case vlGreek: return CodePage::Windows1253;
    case vlTurkish: return CodePage::Windows1254;
    default: return CodePage::Windows1252;
    }
}

QChar SpecialCharacterFile::characterOf(int language, int code)
{
    if (code < 1 || code > 255)
        return {};
    return CodePageCharacter(codePageOf(language), static_cast<unsigned char>(code));
}

int SpecialCharacterFile::codeOf(int language, QChar character)
{
    const int code = CodePageByte(codePageOf(language), character);
    return code >= 1 ? code : EmptySlot;
}

QList<QChar> SpecialCharacterFile::slotCharacters(int language) const
{
    QList<QChar> characters(SlotCount);
    if (!exists())
        return characters;
    // All seventy slots from one reading of the file.
    QStringList keys;
    for (int slot = 0; slot < SlotCount; ++slot)
        keys.append(keyOf(slot));
    const QList<int> codes = IniFile(readPath()).readIntegers(sectionOf(language), keys, EmptySlot);
    for (int slot = 0; slot < SlotCount; ++slot)
        characters[slot] = characterOf(language, codes.at(slot));
    return characters;
}

QString SpecialCharacterFile::leadingCharacters(int language) const
{
    QString characters;
    for (const QChar character : slotCharacters(language)) {
        if (character.isNull())
            break;
        characters.append(character);
    }
    return characters;
}

void SpecialCharacterFile::writeSlots(int language, const QList<QChar> &characters)
{
    if (!exists())
        return;
    IniBatch file(m_programFile ? ProgramFileToWrite(QString::fromLatin1(FileName)) : m_path);
    const int count = std::min<int>(int(characters.size()), SlotCount);
    for (int slot = 0; slot < count; ++slot)
        file.writeInteger(sectionOf(language), keyOf(slot), codeOf(language, characters.at(slot)));
    file.commit();
}
