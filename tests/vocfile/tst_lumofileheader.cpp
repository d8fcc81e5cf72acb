#include "support/testfolder.h"
#include "vocfile/lumofileheader.h"
#include "vocfile/unitdescriptor.h"

#include <QFile>
#include <QTest>

class TestLumoFileHeader : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder;

private slots:
    void readsTheHeader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("description");
        QTest::newRow("complete") << "[general]\nFileType=vokfile\nFirstLanguage=3\nSecondLanguage=0x0A\n"
                                     "Description=Irregular verbs\n"
                                  << 0 << 3 << 10 << "Irregular verbs";
        QTest::newRow("type in capitals") << "[General]\nFILETYPE=VokFile\nSecondLanguage=5\n"
                                          << 0 << 0 << 5 << "unkown";
        QTest::newRow("other kind") << "[general]\nFileType=cardfile\nDescription=\n" << 1 << 0 << 0 << "";
        QTest::newRow("not numbers") << "[general]\nFirstLanguage=three\nSecondLanguage=0xZZ\n"
                                     << 0 << 0 << 0 << "unkown";
        QTest::newRow("other section only") << "[settings]\nFirstLanguage=4\nDescription=x\n"
                                            << 0 << 0 << 0 << "unkown";
    }
    void readsTheHeader()
    {
        QFETCH(QString, text);
        QFETCH(int, fileType);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QString, description);
        const QString path = m_folder.writeText(QTest::currentDataTag() + QStringLiteral(".lif"), text);
        const TLumoFileHeader header = ReadLumoFileHeader(path);
        QCOMPARE(header.fileName, path);
        QCOMPARE(int(header.fileType), fileType);
        QCOMPARE(header.firstLanguage, first);
        QCOMPARE(header.secondLanguage, second);
        QCOMPARE(header.description, description);
    }

    void missingDescriptorGivesTheDefaults()
    {
        const QString path = m_folder.filePath(QStringLiteral("absent.lif"));
        const TLumoFileHeader header = ReadLumoFileHeader(path);
        QCOMPARE(header.fileName, path);
        QCOMPARE(header.fileType, TLumoFileHeader::VocabularyUnit);
        QCOMPARE(header.description, QStringLiteral("unkown"));
        QCOMPARE(ReadLumoFileHeader(path, QString()).description, QString());
        const UnitDescriptor descriptor(path);
        QCOMPARE(descriptor.font(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(descriptor.firstLanguage(), 0);
        QVERIFY(!QFile::exists(path)); // reading creates nothing
    }

    void writingKeepsTheTestLog()
    {
        const QString path = m_folder.writeText(QStringLiteral("unit.lif"),
                                                QStringLiteral("[general]\nTestCount=2\nTestResult1=4\n"
                                                               "FileType=old\n[extra]\nKey=value\n"));
        UnitDescriptor descriptor(path);
        descriptor.write(1, 7, QStringLiteral("Tiere und Pflanzen"), QStringLiteral("Arial Unicode MS"));
        QVERIFY(descriptor.isVocabularyUnit());
        QCOMPARE(descriptor.fileType(), QStringLiteral("vokfile"));
        QCOMPARE(descriptor.firstLanguage(), 1);
        QCOMPARE(descriptor.secondLanguage(), 7);
        QCOMPARE(descriptor.font(), QStringLiteral("Arial Unicode MS"));
        QCOMPARE(descriptor.description(), QStringLiteral("Tiere und Pflanzen"));
        const IniFile ini(path);
        QCOMPARE(ini.readInteger(QStringLiteral("general"), QStringLiteral("TestCount"), 0), 2);
        QCOMPARE(ini.readString(QStringLiteral("extra"), QStringLiteral("Key"), QString()),
                 QStringLiteral("value"));
        QCOMPARE(ReadLumoFileHeader(path).secondLanguage, 7);
    }

    void unwritableDescriptorRaisesTheIniError()
    {
        const QString path = m_folder.filePath(QStringLiteral("missing/folder/unit.lif"));
        UnitDescriptor descriptor(path);
        try {
            descriptor.write(0, 1, QStringLiteral("x"), QStringLiteral("MS Sans Serif"));
            QFAIL("a descriptor was written into a missing folder");
        } catch (const IniWriteError &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + path);
        }
    }
};

QTEST_GUILESS_MAIN(TestLumoFileHeader)
#include "tst_lumofileheader.moc"
