#include "platform/ini/inifile.h"
#include "platform/lumoerror.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "vocfile/specialcharacterfile.h"
#include "vocfile/vocabularylanguages.h"

#include <QFile>
#include <QtTest>

namespace {
// A section of the file with the given values in Char0, Char1, ...
QString section(int language, const QStringList &values)
{
    QString text = QStringLiteral("[LANGUAGE%1]\r\n").arg(language);
    for (int slot = 0; slot < values.size(); ++slot)
        text += QStringLiteral("Char%1=%2\r\n").arg(slot).arg(values.at(slot));
    return text;
}

QStringList codes(const QString &characters)
{
    QStringList values;
    for (const QChar character : characters)
        values.append(QString::number(character.unicode()));
    return values;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

// The special-character file as the bars and the customize dialog read and write it.
class TestSpecialCharacterFile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;

    QString writeFile(const QString &text) { return folder->writeText(QStringLiteral("SpecChar.lcf"), text); }

private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() { folder.reset(); }

    void theFileLivesInTheProgramFolder()
    {
        QCOMPARE(SpecialCharacterFileName(), folder->path() + QStringLiteral("SpecChar.lcf"));
    }

    void theBarStopsAtTheFirstEmptySlot_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("bar");

        QTest::newRow("five, then -1")
            << QStringList{"65", "66", "67", "68", "69", "-1", "70", "71"} << QStringLiteral("ABCDE");
        QTest::newRow("seventy") << codes(QString(70, u'x')) << QString(70, u'x');
        QTest::newRow("seventy-first is ignored") << codes(QString(71, u'y')) << QString(70, u'y');
        QTest::newRow("first slot empty") << QStringList{"-1", "65"} << QString();
        QTest::newRow("zero") << QStringList{"65", "0", "66"} << QStringLiteral("A");
        QTest::newRow("256") << QStringList{"65", "256", "66"} << QStringLiteral("A");
        QTest::newRow("negative") << QStringList{"65", "-7", "66"} << QStringLiteral("A");
        QTest::newRow("huge") << QStringList{"65", "99999999999", "66"} << QStringLiteral("A");
        QTest::newRow("text") << QStringList{"65", "abc", "66"} << QStringLiteral("A");
        QTest::newRow("a letter instead of its code") << QStringList{"65", "é", "66"} << QStringLiteral("A");
        QTest::newRow("blank") << QStringList{"65", "", "66"} << QStringLiteral("A");
        QTest::newRow("blanks around a code") << QStringList{"65", "  66  ", "-1"} << QStringLiteral("AB");
        QTest::newRow("1 and 255 are characters") << QStringList{"1", "255"} << QStringLiteral("\u0001ÿ");
        QTest::newRow("no keys at all") << QStringList{} << QString();
    }

    void theBarStopsAtTheFirstEmptySlot()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, bar);
        const SpecialCharacterFile file(writeFile(section(4, values) + section(6, {"223"})));
        QCOMPARE(file.leadingCharacters(vlFrench), bar);
        QCOMPARE(file.leadingCharacters(vlGerman), QStringLiteral("ß"));
        QCOMPARE(file.leadingCharacters(vlSpanish), QString());
    }

    void allSlotsKeepTheirPlaces()
    {
        const SpecialCharacterFile file(writeFile(section(4, {"65", "-1", "text", "66"})));
        const QList<QChar> cells = file.slotCharacters(vlFrench);
        QCOMPARE(cells.size(), SpecialCharacterFile::SlotCount);
        QCOMPARE(cells.at(0), QChar(u'A'));
        QVERIFY(cells.at(1).isNull());
        QVERIFY(cells.at(2).isNull());
        QCOMPARE(cells.at(3), QChar(u'B'));
        QVERIFY(cells.at(69).isNull());
    }

    void codesMeanTheLanguagesCodePage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("character");

        QTest::newRow("Greek alpha") << int(vlGreek) << 0xE1 << QStringLiteral("α");
        QTest::newRow("Greek omega with tonos") << int(vlGreek) << 0xFE << QStringLiteral("ώ");
        QTest::newRow("Greek capital alpha with tonos") << int(vlGreek) << 0xA2 << QStringLiteral("Ά");
        QTest::newRow("Greek final sigma") << int(vlGreek) << 0xF2 << QStringLiteral("ς");
        QTest::newRow("Greek keeps the euro") << int(vlGreek) << 0x80 << QStringLiteral("€");
        QTest::newRow("Turkish dotless i") << int(vlTurkish) << 0xFD << QStringLiteral("ı");
        QTest::newRow("Turkish capital dotted I") << int(vlTurkish) << 0xDD << QStringLiteral("İ");
        QTest::newRow("Turkish s cedilla") << int(vlTurkish) << 0xFE << QStringLiteral("ş");
        QTest::newRow("Turkish g breve") << int(vlTurkish) << 0xF0 << QStringLiteral("ğ");
        QTest::newRow("Turkish keeps oe") << int(vlTurkish) << 0x9C << QStringLiteral("œ");
        QTest::newRow("French y acute") << int(vlFrench) << 0xFD << QStringLiteral("ý");
        QTest::newRow("French oe") << int(vlFrench) << 0x9C << QStringLiteral("œ");
        QTest::newRow("Other thorn") << int(vlOther) << 0xFE << QStringLiteral("þ");
        QTest::newRow("German sharp s") << int(vlGerman) << 0xDF << QStringLiteral("ß");
        QTest::newRow("a number from a file") << 25 << 0xE9 << QStringLiteral("é");
    }

    void codesMeanTheLanguagesCodePage()
    {
        QFETCH(int, language);
        QFETCH(int, code);
        QFETCH(QString, character);
        QCOMPARE(QString(SpecialCharacterFile::characterOf(language, code)), character);
        QCOMPARE(SpecialCharacterFile::codeOf(language, character.front()), code);
        const SpecialCharacterFile file(writeFile(section(language, {QString::number(code)})));
        QCOMPARE(file.leadingCharacters(language), character);
    }

    void aCharacterOutsideTheCodePageHasNoCode()
    {
        QCOMPARE(SpecialCharacterFile::codeOf(vlGerman, QChar(u'α')), -1);
        QCOMPARE(SpecialCharacterFile::codeOf(vlGreek, QChar(u'ß')), -1);
        QCOMPARE(SpecialCharacterFile::codeOf(vlGerman, QChar()), -1);
        // The Greek page leaves 0xD2 unassigned: such a code is no character.
        QVERIFY(SpecialCharacterFile::characterOf(vlGreek, 0xD2).isNull());
    }

    void writingReplacesOneLanguageAndKeepsTheRest()
    {
        const QString path = writeFile(QStringLiteral("; my sets\r\n") + section(6, {"228", "246", "252"}) +
                                       section(11, {"225", "226"}));
        SpecialCharacterFile file(path);
        QList<QChar> cells(SpecialCharacterFile::SlotCount);
        cells[0] = u'ς';
        cells[2] = u'ώ';
        cells[3] = u'ß'; // not Greek: an empty slot
        file.writeSlots(vlGreek, cells);

        QCOMPARE(file.leadingCharacters(vlGreek), QStringLiteral("ς"));
        const QList<QChar> read = file.slotCharacters(vlGreek);
        QCOMPARE(read.at(2), QChar(u'ώ'));
        QVERIFY(read.at(1).isNull());
        QVERIFY(read.at(3).isNull());
        const IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("LANGUAGE11"), QStringLiteral("Char0"), {}),
                 QStringLiteral("242"));
        QCOMPARE(ini.readString(QStringLiteral("LANGUAGE11"), QStringLiteral("Char1"), {}),
                 QStringLiteral("-1"));
        QCOMPARE(ini.readString(QStringLiteral("LANGUAGE11"), QStringLiteral("Char69"), {}),
                 QStringLiteral("-1"));
        QCOMPARE(file.leadingCharacters(vlGerman), QStringLiteral("äöü"));
        QVERIFY(contents(path).startsWith("; my sets"));
    }

    void anEmptyFileHoldsNoSetsAndTakesOne()
    {
        const QString path = writeFile(QString());
        SpecialCharacterFile file(path);
        for (int language = 0; language < LanguageCount; ++language) {
            QCOMPARE(file.slotCharacters(language), QList<QChar>(SpecialCharacterFile::SlotCount));
            QCOMPARE(file.leadingCharacters(language), QString());
        }
        QList<QChar> cells(SpecialCharacterFile::SlotCount);
        cells[0] = u'ä';
        file.writeSlots(vlGerman, cells);
        QCOMPARE(file.leadingCharacters(vlGerman), QStringLiteral("ä"));
        QCOMPARE(file.leadingCharacters(vlFrench), QString());
    }

    void aMissingFileIsNeitherReadNorCreated()
    {
        const QString path = folder->filePath(QStringLiteral("SpecChar.lcf"));
        SpecialCharacterFile file(path);
        QVERIFY(!file.exists());
        QCOMPARE(file.leadingCharacters(vlGerman), QString());
        QCOMPARE(file.slotCharacters(vlGerman), QList<QChar>(SpecialCharacterFile::SlotCount));
        file.writeSlots(vlGerman, {u'ä'});
        QVERIFY(!QFile::exists(path));
    }

    void aReadOnlyFileRefusesTheSaveAndStaysAsItWas()
    {
        if (WithoutRoot::inChild()) {
            SpecialCharacterFile file(WithoutRoot::values().at(0));
            QCOMPARE(file.leadingCharacters(vlGerman), QStringLiteral("äö"));
            try {
                file.writeSlots(vlGerman, {u'ß'});
                QFAIL("a read-only file was written");
            } catch (const LumoError &error) {
                QVERIFY(error.message().contains(WithoutRoot::values().at(0)));
            }
            return;
        }
        const QString path = writeFile(section(6, {"228", "246"}));
        const QByteArray before = contents(path);
        WithoutRoot::handOver(folder->path());
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther));
        VERIFY_WITHOUT_ROOT({path});
        QCOMPARE(contents(path), before);
    }

    void theShippedFileHasASetForEveryLanguage()
    {
        const SpecialCharacterFile file(TestFolder::shippedFile(QStringLiteral("SpecChar.lcf")));
        QVERIFY(file.exists());
        for (int language = 0; language < LanguageCount; ++language)
            QVERIFY2(file.leadingCharacters(language).size() >= 10,
                     qPrintable(LanguageEnglishName(language)));
        const auto holds = [&file](int language, const QString &characters) {
            for (const QChar character : characters)
                if (!file.leadingCharacters(language).contains(character))
                    return false;
            return true;
        };
        QVERIFY(holds(vlGerman, QStringLiteral("äöüÄÖÜß")));
        QVERIFY(holds(vlAustrian, QStringLiteral("ß")));
        QVERIFY(holds(vlSpanish, QStringLiteral("ñÑ¿¡áé")));
        QVERIFY(holds(vlFrench, QStringLiteral("«»çéèêœ")));
        QVERIFY(holds(vlGreek, QStringLiteral("αωάέήίόύώϊΐΆΏ")));
        QVERIFY(holds(vlTurkish, QStringLiteral("şğıİŞĞçö")));
        QVERIFY(holds(vlBrazilian, QStringLiteral("ãõç")));
        QVERIFY(holds(vlDanish, QStringLiteral("æøå")));
        QVERIFY(holds(vlSwedish, QStringLiteral("åäö")));
        QCOMPARE(file.leadingCharacters(vlGreek).size(), SpecialCharacterFile::SlotCount);
    }

    void theShippedFileIsWrittenAsTheOtherDataFiles()
    {
        const QByteArray bytes = contents(TestFolder::shippedFile(QStringLiteral("SpecChar.lcf")));
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        for (const char byte : bytes)
            QVERIFY(static_cast<unsigned char>(byte) < 0x80);
    }
};

QTEST_GUILESS_MAIN(TestSpecialCharacterFile)
#include "tst_specialcharacterfile.moc"
