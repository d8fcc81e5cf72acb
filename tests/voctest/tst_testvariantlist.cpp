#include "support/testfolder.h"
#include "voctest/testvariantlist.h"

#include <QDir>
#include <QTest>

namespace {
QByteArray variant(const char *description, const char *type)
{
    QByteArray text("[settings]\n");
    if (description)
        text += QByteArray("Description=") + description + '\n';
    if (type)
        text += QByteArray("TestType=") + type + '\n';
    return text;
}
} // namespace

class TestTestVariantList : public QObject
{
    Q_OBJECT

private slots:
    void listsVariantsInNameOrderWithoutRegardToCase();
    void skipsVariantsWithoutDescription();
    void reloadStartsAfresh();
    void shippedStandardTestListsFirst();
    void shippedNamesFollowTheLanguageFile_data();
    void shippedNamesFollowTheLanguageFile();
    void variantsAreFoundByFileName();
};

void TestTestVariantList::shippedNamesFollowTheLanguageFile_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("languageFile");
    QTest::addColumn<QString>("shown");
    QTest::newRow("shipped, German") << "Standard test"
                                     << "deutsch.llf"
                                     << "Standardtest";
    QTest::newRow("shipped, English") << "Standard test"
                                      << "english.llf"
                                      << "Standard test";
    QTest::newRow("shipped, no language file") << "Standard test"
                                               << ""
                                               << "Standard test";
    QTest::newRow("renamed by the user") << "My test"
                                         << "deutsch.llf"
                                         << "My test";
    QTest::newRow("language file without the key") << "Standard test"
                                                   << "bare.llf"
                                                   << "Standard test";
}

void TestTestVariantList::shippedNamesFollowTheLanguageFile()
{
    QFETCH(QString, description);
    QFETCH(QString, languageFile);
    QFETCH(QString, shown);
    TestFolder folder;
    folder.copyFromData(QStringLiteral("english.llf"));
    folder.copyFromData(QStringLiteral("deutsch.llf"));
    folder.writeFile(QStringLiteral("bare.llf"), "[MainForm]\nStartBtn=&Los\n");
    folder.writeFile(QStringLiteral("1-standard.ltf"), variant(description.toUtf8().constData(), "standard"));
    TestVariantList list;
    list.load(folder.path(), languageFile.isEmpty() ? QString() : folder.filePath(languageFile));
    QCOMPARE(list.descriptions(), QStringList{shown});
}

void TestTestVariantList::variantsAreFoundByFileName()
{
    const QStringList paths{"/installed/1-standard.ltf", "/home/user/.lumo/4-Multichoice.ltf"};
    QCOMPARE(TestVariantList::indexOfFile(paths, QStringLiteral("/home/user/.lumo/1-standard.ltf")), 0);
    QCOMPARE(TestVariantList::indexOfFile(paths, QStringLiteral("/installed/4-multichoice.LTF")), 1);
    QCOMPARE(TestVariantList::indexOfFile(paths, QStringLiteral("/installed/5-comprehension.ltf")), -1);
    QCOMPARE(TestVariantList::indexOfFile(paths, QString()), -1);
}

void TestTestVariantList::listsVariantsInNameOrderWithoutRegardToCase()
{
    TestFolder folder;
    folder.writeFile(QStringLiteral("multi.ltf"), variant("Multiple choice", "multichoice"));
    folder.writeFile(QStringLiteral("Basic.ltf"), variant("Basic", nullptr));
    folder.writeFile(QStringLiteral("Old.LTF"), variant("Upper-case extension", "standard"));
    folder.writeFile(QStringLiteral("comprehension.ltf"), variant("Listening", "comprehension"));
    folder.writeFile(QStringLiteral("english.llf"), variant("Not a variant", "standard"));

    TestVariantList list;
    list.load(folder.path());
    QCOMPARE(list.descriptions(),
             QStringList({"Basic", "Listening", "Multiple choice", "Upper-case extension"}));
    QCOMPARE(list.testTypes(), QStringList({"standard", "comprehension", "multichoice", "standard"}));
    QCOMPARE(list.paths(), QStringList({folder.filePath("Basic.ltf"), folder.filePath("comprehension.ltf"),
                                        folder.filePath("multi.ltf"), folder.filePath("Old.LTF")}));
    QCOMPARE(list.count(), 4);
}

void TestTestVariantList::skipsVariantsWithoutDescription()
{
    TestFolder folder;
    folder.writeFile(QStringLiteral("a.ltf"), variant(nullptr, "standard"));
    folder.writeFile(QStringLiteral("b.ltf"), variant("error", "standard"));
    folder.writeFile(QStringLiteral("c.ltf"), variant("Error", "multichoice"));
    folder.writeFile(QStringLiteral("d.ltf"), "");
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("e.ltf")));

    TestVariantList list;
    list.load(folder.path());
    // Only the exact default text hides a variant.
    QCOMPARE(list.descriptions(), QStringList({"Error"}));
    QCOMPARE(list.paths(), QStringList({folder.filePath("c.ltf")}));
}

void TestTestVariantList::reloadStartsAfresh()
{
    TestFolder folder;
    const QString first = folder.writeFile(QStringLiteral("a.ltf"), variant("First", "standard"));
    TestVariantList list;
    list.load(folder.path());
    QCOMPARE(list.count(), 1);

    QVERIFY(QFile::remove(first));
    folder.writeFile(QStringLiteral("b.ltf"), variant("Second", "multichoice"));
    list.load(folder.path());
    QCOMPARE(list.descriptions(), QStringList({"Second"}));
    QCOMPARE(list.testTypes(), QStringList({"multichoice"}));
}

void TestTestVariantList::shippedStandardTestListsFirst()
{
    TestFolder folder;
    const QStringList shipped = QDir(TestFolder::shippedFile(QString())).entryList({QStringLiteral("*.ltf")});
    QVERIFY(shipped.size() >= 3);
    for (const QString &name : shipped)
        folder.copyFromData(name);

    TestVariantList list;
    list.load(folder.path());
    QCOMPARE(list.count(), shipped.size());
    // A fresh start preselects the first item.
    QCOMPARE(list.descriptions().first(), QStringLiteral("Standard test"));
    QCOMPARE(list.testTypes().first(), QStringLiteral("standard"));
}

QTEST_GUILESS_MAIN(TestTestVariantList)
#include "tst_testvariantlist.moc"
