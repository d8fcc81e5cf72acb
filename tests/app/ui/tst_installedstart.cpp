#include "app/programlayout.h"
#include "app/ui/mainform.h"
#include "mainformfixture.h"
#include "platform/programfolder.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "voctest/ui/testpage.h"

#include <QComboBox>
#include <QTest>

// The main window of an installed program: its data read from a read-only installed folder,
// the units in the user's own folder.
class TestInstalledStart : public QObject, public MainFormFixture
{
    Q_OBJECT

private:
    QString usr;  // stands for "/usr"
    QString user; // the user's own folder

    void install(const QString &name, const QByteArray &bytes)
    {
        folder->writeFile(QStringLiteral("usr/share/lumo/") + name, bytes);
    }
    void start() { ProgramLayout::forExecutable(usr + QStringLiteral("bin"), user).apply(); }

private slots:
    void init()
    {
        setUpFixture();
        usr = folder->filePath(QStringLiteral("usr/"));
        user = folder->filePath(QStringLiteral("home/Lumo/"));
        QVERIFY(QDir().mkpath(usr + QStringLiteral("bin")));
        QVERIFY(QDir().mkpath(usr + QStringLiteral("share/lumo")));
    }
    void cleanup() { folder.reset(); }

    void theUsersSampleUnitsAndTheInstalledVariantsAreShown()
    {
        install(QStringLiteral("english.llf"), "[general]\nDescription=English\n");
        install(QStringLiteral("1-standard.ltf"), "[settings]\nDescription=Standard\n");
        install(QStringLiteral("Vocabulary/Other/animals.lif"), "[general]\nDescription=Animals\n");
        install(QStringLiteral("Vocabulary/Other/animals.db"), QByteArray());
        start();
        const auto form = createForm();
        TLumoTreeView *tree = form->unitPage()->LumoTreeView1;
        TLumoListView *list = form->unitPage()->LumoListView1;
        QCOMPARE(tree->root(), user + QStringLiteral("Vocabulary"));
        QCOMPARE(list->path(), user + QStringLiteral("Vocabulary/Other/"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->languageFile(), usr + QStringLiteral("share/lumo/english.llf"));
        auto *variants = form->testPage()->findChild<QComboBox *>(QStringLiteral("TestVariants"));
        QVERIFY(variants);
        QCOMPARE(variants->count(), 1);
        QCOMPARE(variants->currentText(), QStringLiteral("Standard"));
        QVERIFY(messages.shown().isEmpty());
    }

    void anInstalledFolderWithoutDataStillStarts()
    {
        start();
        const auto form = createForm();
        QCOMPARE(form->unitPage()->LumoListView1->path(), user + QStringLiteral("Vocabulary/"));
        QCOMPARE(form->unitPage()->LumoListView1->count(), 0);
        auto *variants = form->testPage()->findChild<QComboBox *>(QStringLiteral("TestVariants"));
        QCOMPARE(variants->count(), 0);
        QVERIFY(messages.shown().isEmpty());
        form->FormClose();
        QVERIFY(QDir(usr + QStringLiteral("share/lumo")).isEmpty());
    }
};

QTEST_MAIN(TestInstalledStart)
#include "tst_installedstart.moc"
