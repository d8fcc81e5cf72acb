#include "voctest/testsettings.h"

#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"

#include <QFileInfo>
#include <algorithm>

namespace {
const QString Section = QStringLiteral("settings");
const QString AllTypesText = QStringLiteral("[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]");
const QString NotListed = QStringLiteral("error");

QString readLower(const IniFile &file, const QString &key, const QString &defaultValue)
{
    return file.readString(Section, key, defaultValue).toLower();
}

// The keys added later are off unless a variant sets them.
bool readAddedSwitch(const IniFile &file, const QString &key)
{
    const QString value = readLower(file, key, QStringLiteral("no"));
    return value == u"yes" || value == u"1";
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

bool hasKey(const QString &path, const QString &key)
{
    const QString absent = QStringLiteral("\x01");
    return IniFile(path).readString(Section, key, absent) != absent;
}

// A variant that never used an added key keeps its file as it was.
void writeAddedSwitch(IniBatch &file, const QString &path, const QString &key, bool on)
{
    if (on || hasKey(path, key))
        file.writeString(Section, key, yesNo(on));
}

QString testTypeText(TestType type)
{
    switch (type) {
    case TestType::MultipleChoice: return QStringLiteral("multichoice");
    case TestType::Comprehension: return QStringLiteral("comprehension");
    case TestType::FlashCards: return QStringLiteral("flashcards");
    case TestType::Standard: break;
    }
    return QStringLiteral("standard");
}

QString wordTypesText(quint16 mask)
{
    QString text;
    for (int k = 0; k < TestSettings::WordTypeCount; ++k)
        if (mask & (1u << k))
            text += u'[' + QString::number(k) + QStringLiteral("],");
    return text;
}
} // namespace

QString TestSettings::fileExtension()
{
    return QStringLiteral(".ltf");
}

bool TestSettings::includesType(int type) const
{
    return type >= 0 && type < WordTypeCount && (wordTypes & (1u << type));
}

quint16 TestSettings::listedTypes(const QString &text)
{
    quint16 mask = 0;
    for (int k = 0; k < WordTypeCount; ++k)
        if (text.contains(u'[' + QString::number(k) + u']'))
            mask |= quint16(1u << k);
    return mask;
}

quint16 TestSettings::parseWordTypes(const QString &text)
{
    const quint16 mask = listedTypes(text);
    return mask == 0 ? AllWordTypes : mask;
}

void TestSettings::load(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    const IniFile file(path);
    const QString type = readLower(file, QStringLiteral("TestType"), QStringLiteral("standard"));
    if (type == u"multichoice")
        testType = TestType::MultipleChoice;
    else if (type == u"comprehension")
        testType = TestType::Comprehension;
    else if (type == u"flashcards")
        testType = TestType::FlashCards;
    else
        testType = TestType::Standard;
    discardNotes = readLower(file, QStringLiteral("DiscardNotes"), QStringLiteral("yes")) != u"no";
    matchCase = readLower(file, QStringLiteral("MatchCase"), QStringLiteral("no")) == u"yes";
    useDiscardList = readLower(file, QStringLiteral("UseDiscardList"), QStringLiteral("yes")) != u"no";
    ignoreAccents = readAddedSwitch(file, QStringLiteral("IgnoreAccents"));
    speakMissingSounds = readAddedSwitch(file, QStringLiteral("SpeakMissingSounds"));
    const QString types = readLower(file, QStringLiteral("WordTypes"), AllTypesText);
    listedWordTypes = listedTypes(types);
    wordTypes = parseWordTypes(types);
    newPerDay = std::max(0, file.readInteger(Section, QStringLiteral("NewPerDay"), DefaultNewPerDay));
}

void TestSettings::save(const QString &path, bool withSpeech) const
{
    IniBatch file(path);
    file.writeString(Section, QStringLiteral("TestType"), testTypeText(testType));
    file.writeString(Section, QStringLiteral("DiscardNotes"), yesNo(discardNotes));
    file.writeString(Section, QStringLiteral("MatchCase"), yesNo(matchCase));
    file.writeString(Section, QStringLiteral("UseDiscardList"), yesNo(useDiscardList));
    file.writeString(Section, QStringLiteral("WordTypes"), wordTypesText(listedWordTypes));
    writeAddedSwitch(file, path, QStringLiteral("IgnoreAccents"), ignoreAccents);
    if (withSpeech)
        writeAddedSwitch(file, path, QStringLiteral("SpeakMissingSounds"), speakMissingSounds);
    if (newPerDay != DefaultNewPerDay || hasKey(path, QStringLiteral("NewPerDay")))
        file.writeInteger(Section, QStringLiteral("NewPerDay"), newPerDay);
    file.commit();
}

std::optional<QString> TestSettings::listedDescription(const QString &path)
{
    const QString description = IniFile(path).readString(Section, QStringLiteral("Description"), NotListed);
    if (description == NotListed)
        return std::nullopt;
    return description;
}

QString TestSettings::writtenTestType(const QString &path)
{
    return IniFile(path).readString(Section, QStringLiteral("TestType"), QStringLiteral("standard"));
}

void TestSettings::saveDescription(const QString &path, const QString &description)
{
    IniBatch file(path);
    file.writeString(Section, QStringLiteral("Description"), description);
    file.commit();
}

void TestSettings::saveNew(const QString &path, const QString &description)
{
    IniBatch file(path);
    file.writeString(Section, QStringLiteral("Description"), description);
    file.writeString(Section, QStringLiteral("TestType"), testTypeText(TestType::Standard));
    file.writeString(Section, QStringLiteral("DiscardNotes"), yesNo(true));
    file.writeString(Section, QStringLiteral("MatchCase"), yesNo(false));
    file.writeString(Section, QStringLiteral("WordTypes"), AllTypesText);
    file.commit();
}
