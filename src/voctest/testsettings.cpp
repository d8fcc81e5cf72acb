#include "voctest/testsettings.h"

#include "platform/ini/inifile.h"

#include <QFileInfo>
#include <algorithm>

namespace {
const QString Section = QStringLiteral("settings");

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
} // namespace

bool TestSettings::includesType(int type) const
{
    return type >= 0 && type < WordTypeCount && (wordTypes & (1u << type));
}

quint16 TestSettings::parseWordTypes(const QString &text)
{
    quint16 mask = 0;
    for (int k = 0; k < WordTypeCount; ++k)
        if (text.contains(u'[' + QString::number(k) + u']'))
            mask |= quint16(1u << k);
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
    wordTypes = parseWordTypes(readLower(file, QStringLiteral("WordTypes"),
                                         QStringLiteral("[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]")));
    newPerDay = std::max(0, file.readInteger(Section, QStringLiteral("NewPerDay"), 20));
}
