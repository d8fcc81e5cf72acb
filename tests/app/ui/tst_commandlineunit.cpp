#include "app/ui/mainform.h"
#include "mainformfixture.h"
#include "platform/lumoerror.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"

#include <QTest>

// "lumo unit.lif": the program starts with that unit selected in the unit manager.
class TestCommandLineUnit : public QObject, public MainFormFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void aUnitBelowTheBaseFolderIsShownInTheTree()
    {
        makeUnit(QStringLiteral("first"), 1);
        const QString grammar = folder->path() + QStringLiteral("Vocabulary/French/Grammar/");
        QVERIFY(QDir().mkpath(grammar));
        const QString descriptor = grammar + QStringLiteral("verbs.lif");
        UnitDescriptor(descriptor).write(2, 4, QStringLiteral("verbs"), QStringLiteral("MS Sans Serif"));
        UnitDescriptor(grammar + QStringLiteral("nouns.lif"))
            .write(2, 4, QStringLiteral("nouns"), QStringLiteral("MS Sans Serif"));
        const auto form = createForm();
        TLumoTreeView *tree = form->unitPage()->LumoTreeView1;
        TLumoListView *list = form->unitPage()->LumoListView1;
        const QString root = tree->root();
        QCOMPARE(list->path(), units);

        form->unitPage()->SelectUnit(descriptor);
        QCOMPARE(tree->currentPath(), grammar);
        QCOMPARE(tree->root(), root);
        QCOMPARE(list->path(), grammar);
        QCOMPARE(list->selectedCaptions(), QStringList({"verbs"}));
        QVERIFY(messages.shown().isEmpty());

        // A relative name and a folder spelled with "." and ".." lead to the same place.
        QDir::setCurrent(grammar);
        form->unitPage()->SelectUnit(QStringLiteral("../Grammar/./nouns.lif"));
        QCOMPARE(tree->currentPath(), grammar);
        QCOMPARE(list->selectedCaptions(), QStringList({"nouns"}));
        QDir::setCurrent(QDir::tempPath());
    }

    void aUnitElsewhereLeavesTheTreeAtItsBase()
    {
        makeUnit(QStringLiteral("first"), 1);
        const QString elsewhere = folder->path() + QStringLiteral("../elsewhere/");
        QVERIFY(QDir().mkpath(elsewhere));
        const QString descriptor = QDir::cleanPath(elsewhere + QStringLiteral("words.lif"));
        UnitDescriptor(descriptor).write(0, 6, QStringLiteral("words"), QStringLiteral("MS Sans Serif"));
        const auto form = createForm();
        TLumoTreeView *tree = form->unitPage()->LumoTreeView1;
        TLumoListView *list = form->unitPage()->LumoListView1;
        const QString root = tree->root();
        const QString path = tree->currentPath();

        form->unitPage()->SelectUnit(descriptor);
        QCOMPARE(tree->root(), root);
        QCOMPARE(tree->currentPath(), path); // what closing stores stays as it was
        QCOMPARE(list->path(), QFileInfo(descriptor).absolutePath() + u'/');
        QCOMPARE(list->selectedCaptions(), QStringList({"words"}));
    }

    void badNamesAreRefusedWithAClearMessage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "gone.lif"
                                 << "The unit could not be found:";
        QTest::newRow("folder") << "Vocabulary"
                                << "This is a folder, not a unit:";
        QTest::newRow("other kind") << "notes.txt"
                                    << "This file is not a unit descriptor (.lif):";
    }

    void badNamesAreRefusedWithAClearMessage()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        folder->writeText(QStringLiteral("notes.txt"), QStringLiteral("[general]\n"));
        const auto form = createForm();
        TLumoListView *list = form->unitPage()->LumoListView1;
        const QString path = folder->path() + name;
        try {
            form->unitPage()->SelectUnit(path);
            QFAIL("a bad unit name was accepted");
        } catch (const LumoError &error) {
            QCOMPARE(error.message(), message + QStringLiteral("\r\n") + path);
        }
        QCOMPARE(list->path(), units);
        QVERIFY(list->selectedCaptions().isEmpty());
    }
};

QTEST_MAIN(TestCommandLineUnit)
#include "tst_commandlineunit.moc"
