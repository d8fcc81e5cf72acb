#include "platform/ini/inifile.h"
#include "support/testfolder.h"
#include "uilang/translate.h"
#include "voctest/voctestcaptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

// The one lookup of UI texts, and the shipped English file that translators copy.
class TestTranslate : public QObject
{
    Q_OBJECT

private slots:
    void lookUpIsCaseBlind_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("as written") << "GENERAL"
                                    << "okbtn"
                                    << "Gut";
        QTest::newRow("other spelling") << "general"
                                        << "OKBtn"
                                        << "Gut";
        QTest::newRow("component section") << "lumovoctest1"
                                           << "CAPTION"
                                           << "Fehler";
        QTest::newRow("missing key") << "general"
                                     << "CancelBtn"
                                     << "default";
        QTest::newRow("missing section") << "MainForm"
                                         << "OKBtn"
                                         << "default";
        QTest::newRow("empty value is a value") << "general"
                                                << "HelpBtn"
                                                << "";
    }

    void lookUpIsCaseBlind()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestFolder folder;
        const QString file = folder.writeText(QStringLiteral("deutsch.llf"),
                                              QStringLiteral("[GENERAL]\r\nokbtn=Gut\r\nHelpBtn=\r\n"
                                                             "[LumoVocTest1]\r\nCaption = Fehler\r\n"));
        QCOMPARE(Translate(file, section, key, QStringLiteral("default")), expected);
    }

    void withoutFileTheDefaultComes()
    {
        TestFolder folder;
        QCOMPARE(
            Translate(QString(), QStringLiteral("general"), QStringLiteral("OKBtn"), QStringLiteral("OK")),
            QStringLiteral("OK"));
        QCOMPARE(Translate(folder.filePath(QStringLiteral("gone.llf")), QStringLiteral("general"),
                           QStringLiteral("OKBtn"), QStringLiteral("OK")),
                 QStringLiteral("OK"));
    }

    void longValuesAreCut()
    {
        TestFolder folder;
        const QString file =
            folder.writeText(QStringLiteral("long.llf"), QStringLiteral("[general]\nDescription=") +
                                                             QString(2000, u'w') + QStringLiteral("\n"));
        QCOMPARE(Translate(file, QStringLiteral("general"), QStringLiteral("Description"), QString()).size(),
                 IniFile::MaxValueLength);
    }

    // Every value of the shipped file gets a mark; a text the program then shows without the
    // mark has no key in the file, and one that differs from the built-in English beyond the
    // mark has drifted from it.
    void englishFileHoldsEveryTextAsBuiltIn()
    {
        TestFolder folder;
        const QString shipped = folder.copyFromData(QStringLiteral("english.llf"));
        QFile in(shipped);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(in.readAll());
        in.close();
        text.replace(QRegularExpression(QStringLiteral("^([^;\\[][^=\\r\\n]*=.*?)(\\r?)$"),
                                        QRegularExpression::MultilineOption),
                     QStringLiteral("\\1#\\2"));
        const QString marked = folder.writeText(QStringLiteral("marked.llf"), text);

        const VocTestCaptions builtIn;
        const VocTestCaptions fromFile = VocTestCaptions::load(marked, QStringLiteral("LumoVocTest1"));
        const QList<QPair<QString, QString>> pairs = {
            {builtIn.caption, fromFile.caption},
            {builtIn.label1, fromFile.label1},
            {builtIn.label2, fromFile.label2},
            {builtIn.label3, fromFile.label3},
            {builtIn.msgTestAborded, fromFile.msgTestAborded},
            {builtIn.testFinishedLabel, fromFile.testFinishedLabel},
            {builtIn.imformationLabel, fromFile.imformationLabel},
            {builtIn.wordCountLabel, fromFile.wordCountLabel},
            {builtIn.mistakeCountLabel, fromFile.mistakeCountLabel},
            {builtIn.rightCountLabel, fromFile.rightCountLabel},
            {builtIn.instrLabel, fromFile.instrLabel},
            {builtIn.totalScoreLabel, fromFile.totalScoreLabel},
            {builtIn.okButton, fromFile.okButton},
            {builtIn.mistakeReportHint, fromFile.mistakeReportHint},
        };
        for (const auto &[english, shown] : pairs)
            QCOMPARE(shown, english + u'#');

        const QStringList languages = {
            "Other",    "American English", "British English", "Australian English",
            "French",   "Belgian",          "German",          "Swiss",
            "Austrian", "Italian",          "Spanish",         "Greek",
            "Dutch",    "Turkish",          "Brazilian",       "Danish",
            "Finnish",  "Norwegian",        "Swedish"};
        for (int i = 0; i < languages.size(); ++i)
            QCOMPARE(
                Translate(marked, QStringLiteral("general"), QStringLiteral("Language%1").arg(i), QString()),
                languages.at(i) + u'#');
        for (const char *key : {"Description", "HelpFile", "OKBtn", "CancelBtn", "HelpBtn", "FindBtn"})
            QVERIFY2(Translate(marked, QStringLiteral("general"), QString::fromLatin1(key), QString())
                         .endsWith(u'#'),
                     key);
    }

    // A translation that lacks a key falls back to English in the middle of German texts.
    void everyLanguageFileHoldsEveryEnglishKey_data()
    {
        QTest::addColumn<QString>("file");
        const QDir data(QFileInfo(TestFolder::shippedFile(QStringLiteral("english.llf"))).path());
        const QStringList files = data.entryList({QStringLiteral("*.llf")});
        for (const QString &file : files)
            if (file != QStringLiteral("english.llf"))
                QTest::newRow(qPrintable(file)) << file;
    }

    void everyLanguageFileHoldsEveryEnglishKey()
    {
        QFETCH(QString, file);
        TestFolder folder;
        const IniFile english(folder.copyFromData(QStringLiteral("english.llf")));
        const IniFile translated(folder.copyFromData(file));
        QFile in(english.fileName());
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QRegularExpression header(QStringLiteral("^\\[(.+)\\]\\s*$"),
                                        QRegularExpression::MultilineOption);
        int sections = 0;
        int texts = 0;
        QStringList unchanged;
        for (const QRegularExpressionMatch &m : header.globalMatch(QString::fromUtf8(in.readAll()))) {
            const QString section = m.captured(1);
            ++sections;
            for (const QString &key : english.readSection(section)) {
                QVERIFY2(translated.valueExists(section, key), qPrintable(section + u'/' + key));
                const QString text = english.readString(section, key, QString());
                if (text.trimmed().isEmpty())
                    continue;
                ++texts;
                if (translated.readString(section, key, QString()) == text)
                    unchanged.append(section + u'/' + key);
            }
        }
        QVERIFY(sections >= 2);
        QVERIFY(translated.readString(QStringLiteral("general"), QStringLiteral("Description"), QString()) !=
                QStringLiteral("English"));
        // The toolkit's dialogs follow this locale.
        QVERIFY(
            !translated.readString(QStringLiteral("general"), QStringLiteral("Locale"), QString()).isEmpty());
        // A copy of the English file with a few texts changed is not a translation.
        QVERIFY2(unchanged.size() * 10 <= texts, qPrintable(unchanged.join(u' ')));
    }

    // A mnemonic is a key the user can press with Alt. On Turkish keyboards I and İ are two
    // keys and the toolkit upper-cases the mnemonic without knowing the language, so no Turkish
    // caption puts it on any kind of i.
    void everyMnemonicCanBeTyped_data()
    {
        QTest::addColumn<QString>("file");
        const QDir data(QFileInfo(TestFolder::shippedFile(QStringLiteral("english.llf"))).path());
        for (const QString &file : data.entryList({QStringLiteral("*.llf")}))
            QTest::newRow(qPrintable(file)) << file;
    }
    void everyMnemonicCanBeTyped()
    {
        QFETCH(QString, file);
        QFile in(TestFolder::shippedFile(file));
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(in.readAll());
        const bool turkish = IniFile(in.fileName())
                                 .readString(QStringLiteral("general"), QStringLiteral("Locale"),
                                             QString()) == QStringLiteral("tr");
        const QRegularExpression value(QStringLiteral("^[^;\\[][^=\\r\\n]*=(.*?)\\r?$"),
                                       QRegularExpression::MultilineOption);
        QStringList faults;
        for (const QRegularExpressionMatch &m : value.globalMatch(text)) {
            const QString caption = QString(m.captured(1)).replace(QStringLiteral("&&"), QString());
            const qsizetype at = caption.indexOf(u'&');
            if (at < 0 || at + 1 >= caption.size())
                continue;
            const QChar key = caption.at(at + 1);
            if (!key.isLetterOrNumber() || (turkish && QStringLiteral("iıİI").contains(key)))
                faults.append(m.captured(0).trimmed());
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslate)
#include "tst_translate.moc"
