#include "platform/busyindicator.h"
#include "platform/ini/inifile.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "units/ui/flagimages.h"
#include "units/ui/folderimages.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "widgets/imagelist.h"
#include "widgets/pageservices.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {
void makeFolders(const TestFolder &folder, const QStringList &paths)
{
    for (const QString &path : paths)
        QVERIFY(QDir().mkpath(folder.filePath(path)));
}

// A unit's descriptor and table, each holding its own name so that a copy can be told apart.
void makeUnit(const QString &folder, const QString &name, const QByteArray &content)
{
    for (const char *extension : {".lif", ".db"}) {
        QFile file(folder + name + QString::fromLatin1(extension));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList childCaptions(const QTreeWidgetItem *node)
{
    QStringList captions;
    for (int i = 0; i < node->childCount(); ++i)
        captions.append(node->child(i)->text(0));
    return captions;
}

QTreeWidgetItem *child(QTreeWidgetItem *node, const QString &caption)
{
    for (int i = 0; i < node->childCount(); ++i)
        if (node->child(i)->text(0) == caption)
            return node->child(i);
    return nullptr;
}

bool hasExpandButton(const QTreeWidgetItem *node)
{
    return node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator || node->childCount() > 0;
}

// Counts what the widgets tell the hourglass.
class CountingBusy : public BusyIndicator
{
public:
    void begin() override { ++begun; }
    void end() override { ++ended; }
    int begun = 0;
    int ended = 0;
};
} // namespace

class TestLumoTreeView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<TLumoTreeView> m_tree;
    ScriptedMessageService m_messages;
    std::unique_ptr<TImageList> m_images;

    TLumoTreeView &treeAt(const QString &root)
    {
        m_tree->setShowAll(false);
        m_tree->setRoot(root);
        return *m_tree;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestFolder>();
        m_images = std::make_unique<TImageList>(QSize(16, 16), nullptr);
        AddFolderTreePictures(*m_images);
        m_tree = std::make_unique<TLumoTreeView>(m_messages, BusyIndicator::none());
        m_tree->setObjectName(QStringLiteral("LumoTreeView1"));
        m_tree->setExtension(QStringLiteral("lif"));
        m_tree->setImages(m_images.get());
        m_messages.clear();
    }

    void cleanup()
    {
        m_tree.reset();
        m_folder.reset();
    }

    // The unit manager's hourglass is the one its widgets are given, ended on every path out.
    void theGivenHourglassIsShown()
    {
        makeFolders(*m_folder, {"Vocabulary/Other"});
        CountingBusy busy;
        TLumoListView list(m_messages, busy);
        list.setPath(m_folder->filePath(QStringLiteral("Vocabulary/Other/")));
        QCOMPARE(busy.begun, 1);
        TLumoTreeView tree(m_messages, busy);
        tree.setShowAll(false);
        tree.setRoot(m_folder->filePath(QStringLiteral("Vocabulary")));
        tree.FullExpand();
        QVERIFY(busy.begun > 1);
        QCOMPARE(busy.ended, busy.begun);
    }

    void ninePicturesAreDrawn()
    {
        QCOMPARE(m_images->count(), 9);
        for (int i = 0; i < 9; ++i) {
            QVERIFY(m_images->hasPicture(i));
            QVERIFY2(!m_images->pixmap(i).toImage().isNull(), qPrintable(QString::number(i)));
        }
        // A folder with units must look different from one without.
        QVERIFY(m_images->pixmap(0).toImage() != m_images->pixmap(2).toImage());
    }

    void foldersLoadLazilyWithOneLevelLookAhead()
    {
        makeFolders(*m_folder, {"Base/French/Verbs/Irregular", "Base/Empty", "Base/.git/objects"});
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        QCOMPARE(tree.topLevelItemCount(), 1);
        QTreeWidgetItem *top = tree.topLevelItem(0);
        QCOMPARE(top->text(0), m_folder->filePath(QStringLiteral("Base")));
        QCOMPARE(top->childCount(), 0); // nothing read before it is opened
        QVERIFY(hasExpandButton(top));
        tree.expandItem(top);
        QCOMPARE(childCaptions(top), QStringList({"Empty", "French"}));
        QTreeWidgetItem *french = child(top, QStringLiteral("French"));
        QVERIFY(hasExpandButton(french));
        QCOMPARE(french->childCount(), 0);
        QVERIFY(!hasExpandButton(child(top, QStringLiteral("Empty"))));
        tree.expandItem(french);
        QCOMPARE(childCaptions(french), QStringList({"Verbs"}));
        QCOMPARE(child(french, QStringLiteral("Verbs"))->childCount(), 0);
        QCOMPARE(tree.NodePath(child(french, QStringLiteral("Verbs"))),
                 m_folder->filePath(QStringLiteral("Base/French/Verbs/")));
    }

    void aBaseWithoutSubfoldersLosesItsButtonWhenOpened()
    {
        makeFolders(*m_folder, {"Lonely"});
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Lonely/")));
        QCOMPARE(tree.root(), m_folder->filePath(QStringLiteral("Lonely")));
        QTreeWidgetItem *top = tree.topLevelItem(0);
        QVERIFY(hasExpandButton(top));
        tree.expandItem(top);
        QVERIFY(!hasExpandButton(top));
        QVERIFY(!top->isExpanded());
    }

    void aVanishedFolderDoesNotOpen()
    {
        makeFolders(*m_folder, {"Base/Gone/inner"});
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        tree.expandItem(tree.topLevelItem(0));
        QTreeWidgetItem *gone = child(tree.topLevelItem(0), QStringLiteral("Gone"));
        QVERIFY(hasExpandButton(gone));
        QVERIFY(QDir(m_folder->filePath(QStringLiteral("Base/Gone"))).removeRecursively());
        tree.expandItem(gone);
        QVERIFY(!hasExpandButton(gone));
        QVERIFY(!gone->isExpanded());
        QVERIFY(QDir(m_folder->filePath(QStringLiteral("Base"))).removeRecursively());
        tree.FullExpand();
        QCOMPARE(tree.topLevelItemCount(), 1);
    }

    void anUnreadableFolderOpensEmpty()
    {
        if (WithoutRoot::inChild()) {
            const QString base = WithoutRoot::values().at(0);
            TLumoTreeView &tree = treeAt(base);
            tree.FullExpand();
            QTreeWidgetItem *locked = child(tree.topLevelItem(0), QStringLiteral("Locked"));
            QVERIFY(locked);
            QCOMPARE(locked->childCount(), 0);
            QVERIFY(child(tree.topLevelItem(0), QStringLiteral("Open"))->childCount() == 1);
            return;
        }
        makeFolders(*m_folder, {"Base/Locked/secret", "Base/Open/free"});
        const QString locked = m_folder->filePath(QStringLiteral("Base/Locked"));
        WithoutRoot::handOver(m_folder->path());
        QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
        const auto restore = qScopeGuard([&locked] {
            QFile::setPermissions(locked,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        });
        VERIFY_WITHOUT_ROOT({m_folder->filePath(QStringLiteral("Base"))});
        QVERIFY(QFileInfo(locked + QStringLiteral("/secret")).isDir());
    }

    void unitFoldersShowTheEmblem()
    {
        makeFolders(*m_folder, {"Base/OnlyDescriptor", "Base/OnlyTable"});
        QVERIFY(QFile(m_folder->writeText(QStringLiteral("Base/OnlyDescriptor/x.lif"), "x")).exists());
        m_folder->writeText(QStringLiteral("Base/OnlyTable/x.db"), QStringLiteral("x"));
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        QTreeWidgetItem *top = tree.topLevelItem(0);
        tree.expandItem(top);
        QTreeWidgetItem *units = child(top, QStringLiteral("OnlyDescriptor"));
        QTreeWidgetItem *table = child(top, QStringLiteral("OnlyTable"));
        QCOMPARE(units->data(0, TLumoTreeView::ImageRole).toInt(), 2);
        QCOMPARE(units->data(0, TLumoTreeView::SelectedImageRole).toInt(), 3);
        QCOMPARE(table->data(0, TLumoTreeView::ImageRole).toInt(), 0);
        QCOMPARE(table->data(0, TLumoTreeView::SelectedImageRole).toInt(), 1);
        QCOMPARE(top->data(0, TLumoTreeView::ImageRole).toInt(), 0);
    }

    void selectingAFolderTellsItsPath()
    {
        makeFolders(*m_folder, {"Base/French/Verbs", "Base/German"});
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        QSignalSpy changes(&tree, &TLumoTreeView::PathChange);
        tree.SelectPath(m_folder->filePath(QStringLiteral("Base/French/Verbs")));
        QCOMPARE(tree.currentPath(), m_folder->filePath(QStringLiteral("Base/French/Verbs/")));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.last().at(0).toString(), tree.currentPath());
        // A folder that does not exist selects nothing.
        tree.SelectPath(m_folder->filePath(QStringLiteral("Base/Spanish")));
        QCOMPARE(tree.currentPath(), m_folder->filePath(QStringLiteral("Base/French/Verbs/")));
        QCOMPARE(changes.size(), 1);
    }

    void missingBaseFallsBackToHomeAndOpensOneLevel()
    {
        makeFolders(*m_folder, {"home/one/two/three"});
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", m_folder->filePath(QStringLiteral("home")).toUtf8());
        const auto restore = qScopeGuard([&home] { qputenv("HOME", home); });
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("vanished")));
        QCOMPARE(tree.root(), m_folder->filePath(QStringLiteral("home")));
        tree.FullExpand();
        QTreeWidgetItem *one = child(tree.topLevelItem(0), QStringLiteral("one"));
        QVERIFY(one);
        QCOMPARE(one->childCount(), 0);
    }

    void fullExpansionReadsEverySubfolder()
    {
        QStringList many;
        for (int i = 0; i < 200; ++i)
            many.append(QStringLiteral("Base/Many/f%1").arg(i, 3, 10, QLatin1Char('0')));
        many.append(QStringLiteral("Base/Zeta/deep/deeper"));
        makeFolders(*m_folder, many);
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        QSignalSpy changes(&tree, &TLumoTreeView::PathChange);
        tree.FullExpand();
        QTreeWidgetItem *top = tree.topLevelItem(0);
        QCOMPARE(child(top, QStringLiteral("Many"))->childCount(), 200);
        QTreeWidgetItem *deep = child(child(top, QStringLiteral("Zeta")), QStringLiteral("deep"));
        QCOMPARE(childCaptions(deep), QStringList({"deeper"}));
        // The last folder opened is the current one, told once.
        QCOMPARE(tree.currentPath(), m_folder->filePath(QStringLiteral("Base/Zeta/deep/deeper/")));
        QCOMPARE(changes.size(), 1);
    }

    void newFoldersCountUp()
    {
        makeFolders(*m_folder, {"Base"});
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        tree.show();
        const QString first = tree.NewFolder();
        QCOMPARE(first, m_folder->filePath(QStringLiteral("Base/New Folder/")));
        QCOMPARE(tree.currentPath(), first);
        QVERIFY(tree.isEditing());
        tree.setCurrentItem(tree.topLevelItem(0));
        QCOMPARE(tree.NewFolder(), m_folder->filePath(QStringLiteral("Base/New Folder (1)/")));
        QVERIFY(QFileInfo(m_folder->filePath(QStringLiteral("Base/New Folder (1)"))).isDir());
        QCOMPARE(childCaptions(tree.topLevelItem(0)), QStringList({"New Folder", "New Folder (1)"}));
    }

    void theBaseFolderIsNotRenamed()
    {
        makeFolders(*m_folder, {"Base/French"});
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        tree.show();
        tree.editItem(tree.topLevelItem(0));
        QVERIFY(!tree.isEditing());
        QVERIFY(!tree.RenameNode(tree.topLevelItem(0), QStringLiteral("Other")));
        QVERIFY(QFileInfo(m_folder->filePath(QStringLiteral("Base/French"))).isDir());
        tree.expandItem(tree.topLevelItem(0));
        tree.editItem(tree.topLevelItem(0)->child(0));
        QVERIFY(tree.isEditing());
    }

    void renamingOntoAnExistingFolderIsRefused()
    {
        makeFolders(*m_folder, {"Base/French", "Base/German"});
        m_folder->writeText(QStringLiteral("Base/French/verbs.lif"), QStringLiteral("x"));
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        tree.expandItem(tree.topLevelItem(0));
        QTreeWidgetItem *french = child(tree.topLevelItem(0), QStringLiteral("French"));
        QVERIFY(!tree.RenameNode(french, QStringLiteral("German")));
        QCOMPARE(french->text(0), QStringLiteral("French"));
        QCOMPARE(m_messages.texts(), QStringList({QStringLiteral("Could not rename directory: \r\n") +
                                                  m_folder->filePath(QStringLiteral("Base/French"))}));
        QVERIFY(QFile::exists(m_folder->filePath(QStringLiteral("Base/French/verbs.lif"))));

        QSignalSpy changes(&tree, &TLumoTreeView::PathChange);
        QVERIFY(tree.RenameNode(french, QStringLiteral("Français")));
        QCOMPARE(french->text(0), QStringLiteral("Français"));
        QCOMPARE(changes.last().at(0).toString(), m_folder->filePath(QStringLiteral("Base/Français/")));
        QVERIFY(QFile::exists(m_folder->filePath(QStringLiteral("Base/Français/verbs.lif"))));
    }

    void messagesComeFromTheLanguageFile()
    {
        m_folder->writeText(QStringLiteral("x.llf"),
                            QStringLiteral("[LumoTreeView1]\nDirMoveFailed=Umbenennen fehlgeschlagen: \n"));
        m_tree->setLanguageFile(m_folder->filePath(QStringLiteral("x.llf")));
        QCOMPARE(m_tree->text("DirMoveFailed"), QStringLiteral("Umbenennen fehlgeschlagen:"));
        // Missing keys take their defaults, which differ from the texts before any file.
        QCOMPARE(m_tree->text("DelFolderFailed"), QStringLiteral("Cannot remove folder: "));
        m_tree->setLanguageFile(m_folder->filePath(QStringLiteral("none.llf")));
        QCOMPARE(m_tree->languageFile(), QString());
        QCOMPARE(m_tree->text("DirMoveFailed"), QStringLiteral("Umbenennen fehlgeschlagen:"));
    }

    void languageFilesHoldTheTreeTexts()
    {
        const IniFile english(TestFolder::shippedFile(QStringLiteral("english.llf")));
        const IniFile german(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
        const QString section = QStringLiteral("LumoTreeView1");
        const auto texts = TLumoTreeView::englishTexts();
        QCOMPARE(texts.size(), 9);
        for (const auto &[key, text] : texts) {
            QCOMPARE(english.readString(section, key, QString()), text.trimmed());
            QVERIFY2(!german.readString(section, key, QString()).isEmpty(), qPrintable(key));
        }
    }

    void deletingAFolderAsksAndSparesLinkTargets()
    {
        makeFolders(*m_folder, {"Base/Old/sub", "Elsewhere"});
        m_folder->writeText(QStringLiteral("Elsewhere/precious.lif"), QStringLiteral("keep"));
        QVERIFY(QFile::link(m_folder->filePath(QStringLiteral("Elsewhere")),
                            m_folder->filePath(QStringLiteral("Base/Old/link"))));
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        tree.expandItem(tree.topLevelItem(0));
        tree.setCurrentItem(child(tree.topLevelItem(0), QStringLiteral("Old")));
        m_messages.answerWith(MessageService::No);
        tree.DeleteFolder();
        QVERIFY(QFileInfo(m_folder->filePath(QStringLiteral("Base/Old"))).isDir());
        QCOMPARE(m_messages.shown().last().kind, MessageService::Kind::Confirmation);
        QCOMPARE(m_messages.shown().last().text,
                 QStringLiteral("Are you sure you want to remove the folder:\r\n") +
                     m_folder->filePath(QStringLiteral("Base/Old/")));
        // The Delete key asks the same.
        tree.setFocus();
        m_messages.answerWith(MessageService::Yes);
        QTest::keyClick(&tree, Qt::Key_Delete);
        QVERIFY(!QFileInfo::exists(m_folder->filePath(QStringLiteral("Base/Old"))));
        QCOMPARE(tree.topLevelItem(0)->childCount(), 0);
        QCOMPARE(contents(m_folder->filePath(QStringLiteral("Elsewhere/precious.lif"))), QByteArray("keep"));
    }

    void drivesAndMountedFoldersAreRefusedBeforeTheQuestion()
    {
        makeFolders(*m_folder, {"Base/Stick/inner", "Base/Stick2"});
        const QString stick = m_folder->filePath(QStringLiteral("Base/Stick/"));
        m_tree->setMountInfo([stick] {
            return "27 1 254:0 / / rw - ext4 /dev/vda rw\n40 27 8:17 / " +
                   QFile::encodeName(stick.chopped(1)) + " rw - vfat /dev/sdb1 rw\n";
        });
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        QTreeWidgetItem *top = tree.topLevelItem(0);
        tree.expandItem(top);
        tree.setCurrentItem(child(top, QStringLiteral("Stick")));
        // Were the question asked, it would be answered No.
        m_messages.answerWith(MessageService::No);
        tree.setFocus();
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(m_messages.shown().size(), 1);
        QCOMPARE(m_messages.shown().last().kind, MessageService::Kind::Information);
        QCOMPARE(m_messages.shown().last().text,
                 QStringLiteral("A drive or a mounted folder cannot be removed:\r\n") + stick);
        QVERIFY(QFileInfo(stick + QStringLiteral("inner")).isDir());
        QCOMPARE(childCaptions(top), QStringList({"Stick", "Stick2"}));
        // Every drive of the all-drives mode, the root among them.
        m_messages = ScriptedMessageService();
        m_tree->setShowAll(true);
        QVERIFY(m_tree->topLevelItemCount() > 0);
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem *drive = m_tree->topLevelItem(i);
            m_tree->setCurrentItem(drive);
            m_messages.answerWith(MessageService::No);
            m_tree->DeleteFolder();
            QCOMPARE(m_messages.shown().last().text,
                     QStringLiteral("A drive or a mounted folder cannot be removed:\r\n") +
                         m_tree->NodePath(drive));
        }
        QCOMPARE(m_messages.shown().size(), m_tree->topLevelItemCount());
    }

    void foldersGoToTheTrashOrStay()
    {
        makeFolders(*m_folder, {"Base/Lookalike", "Base/Stick", "Base/Kept/sub", "Base/Gone"});
        m_folder->writeText(QStringLiteral("Base/Kept/sub/verbs.lif"), QStringLiteral("x"));
        const QString stick = m_folder->filePath(QStringLiteral("Base/Stick"));
        m_tree->setMountInfo(
            [stick] { return "40 27 8:17 / " + QFile::encodeName(stick) + " rw - vfat /dev/sdb1 rw\n"; });
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        QTreeWidgetItem *top = tree.topLevelItem(0);
        tree.expandItem(top);
        // A folder whose name only begins like a mount's goes, to the trash.
        tree.setCurrentItem(child(top, QStringLiteral("Lookalike")));
        m_messages.answerWith(MessageService::Yes);
        tree.DeleteFolder();
        const QString trash = m_folder->dataHome() + QStringLiteral("/Trash/files/");
        QVERIFY(QFileInfo(trash + QStringLiteral("Lookalike")).isDir());
        QCOMPARE(childCaptions(top), QStringList({"Gone", "Kept", "Stick"}));
        // A folder gone behind the tree's back is asked for, then cannot be removed.
        const QString gone = m_folder->filePath(QStringLiteral("Base/Gone/"));
        QVERIFY(QDir(gone).removeRecursively());
        tree.setCurrentItem(child(top, QStringLiteral("Gone")));
        m_messages.clear();
        m_messages.answerWith(MessageService::Yes);
        tree.DeleteFolder();
        QCOMPARE(m_messages.texts().last(), "Could not remove folder!\r\n" + gone);
        // Where the trash refuses a folder, nothing of it is removed.
        QVERIFY(QDir(m_folder->dataHome()).removeRecursively());
        QFile blocker(m_folder->dataHome());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString kept = m_folder->filePath(QStringLiteral("Base/Kept/"));
        tree.setCurrentItem(child(top, QStringLiteral("Kept")));
        m_messages.clear();
        m_messages.answerWith(MessageService::Yes);
        tree.DeleteFolder();
        QCOMPARE(m_messages.texts(), QStringList({"Are you sure you want to remove the folder:\r\n" + kept,
                                                  "Could not remove folder!\r\n" + kept}));
        QCOMPARE(contents(kept + QStringLiteral("sub/verbs.lif")), QByteArray("x"));
        QCOMPARE(childCaptions(top), QStringList({"Gone", "Kept", "Stick"}));
    }

    void theBaseFolderGoesToTheTrash()
    {
        makeFolders(*m_folder, {"Base/French"});
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        QSignalSpy changes(&tree, &TLumoTreeView::PathChange);
        m_messages.answerWith(MessageService::Yes);
        tree.DeleteFolder();
        QVERIFY(!QFileInfo::exists(m_folder->filePath(QStringLiteral("Base"))));
        QVERIFY(QFileInfo(m_folder->dataHome() + QStringLiteral("/Trash/files/Base/French")).isDir());
        QCOMPARE(tree.topLevelItemCount(), 0);
        QCOMPARE(changes.last().at(0).toString(), QString());
    }

    void copyingOverAUnitAsksAndNoKeepsIt()
    {
        makeFolders(*m_folder, {"Base/From", "Base/To"});
        const QString from = m_folder->filePath(QStringLiteral("Base/From/"));
        const QString to = m_folder->filePath(QStringLiteral("Base/To/"));
        makeUnit(from, QStringLiteral("verbs"), "new verbs");
        makeUnit(from, QStringLiteral("nouns"), "new nouns");
        makeUnit(to, QStringLiteral("verbs"), "old verbs");
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        m_messages.answerWith(MessageService::No);
        tree.DropUnits(from, {QStringLiteral("verbs"), QStringLiteral("nouns")}, to, true);
        QCOMPARE(m_messages.texts(),
                 QStringList({"File already exists. Do you want to overwrite the existing file?"}));
        QCOMPARE(contents(to + QStringLiteral("verbs.lif")), QByteArray("old verbs"));
        QCOMPARE(contents(to + QStringLiteral("verbs.db")), QByteArray("old verbs"));
        QCOMPARE(contents(to + QStringLiteral("nouns.db")), QByteArray("new nouns"));
        QCOMPARE(contents(from + QStringLiteral("nouns.lif")), QByteArray("new nouns"));

        m_messages.answerWith(MessageService::Yes);
        tree.DropUnits(from, {QStringLiteral("verbs")}, to, true);
        QCOMPARE(contents(to + QStringLiteral("verbs.lif")), QByteArray("new verbs"));
        QCOMPARE(contents(to + QStringLiteral("verbs.db")), QByteArray("new verbs"));
    }

    void copyingAUnitOntoItselfLosesNothing()
    {
        makeFolders(*m_folder, {"Base"});
        const QString base = m_folder->filePath(QStringLiteral("Base/"));
        makeUnit(base, QStringLiteral("verbs"), "verbs");
        TLumoTreeView &tree = treeAt(base);
        m_messages.answerWith(MessageService::Yes);
        tree.DropUnits(base, {QStringLiteral("verbs")}, base, true);
        QCOMPARE(contents(base + QStringLiteral("verbs.lif")), QByteArray("verbs"));
        QCOMPARE(contents(base + QStringLiteral("verbs.db")), QByteArray("verbs"));
        QCOMPARE(m_messages.texts().last(),
                 QStringLiteral("Could not copy file: \r\n") + base + QStringLiteral("verbs"));
    }

    void movingOntoAnExistingUnitNameIsRefused()
    {
        makeFolders(*m_folder, {"Base/From", "Base/To"});
        const QString from = m_folder->filePath(QStringLiteral("Base/From/"));
        const QString to = m_folder->filePath(QStringLiteral("Base/To/"));
        makeUnit(from, QStringLiteral("verbs"), "moving verbs");
        makeUnit(from, QStringLiteral("nouns"), "moving nouns");
        makeUnit(to, QStringLiteral("verbs"), "staying verbs");
        TLumoTreeView &tree = treeAt(m_folder->filePath(QStringLiteral("Base")));
        tree.DropUnits(from, {QStringLiteral("verbs"), QStringLiteral("nouns")}, to, false);
        QCOMPARE(m_messages.texts(), QStringList({QStringLiteral("Could not rename file: \r\n") + from +
                                                  QStringLiteral("verbs")}));
        QCOMPARE(contents(from + QStringLiteral("verbs.db")), QByteArray("moving verbs"));
        QCOMPARE(contents(to + QStringLiteral("verbs.db")), QByteArray("staying verbs"));
        // The next unit still moves, whole.
        QCOMPARE(contents(to + QStringLiteral("nouns.lif")), QByteArray("moving nouns"));
        QCOMPARE(contents(to + QStringLiteral("nouns.db")), QByteArray("moving nouns"));
        QVERIFY(!QFile::exists(from + QStringLiteral("nouns.lif")));
        QVERIFY(!QFile::exists(from + QStringLiteral("nouns.db")));
    }

    // A picture for a person to look at: the unit manager with tree and list.
    void unitManagerPicture()
    {
        makeFolders(*m_folder,
                    {"Vocabulary/Other", "Vocabulary/French/Verbs", "Vocabulary/German", "Vocabulary/Old"});
        const QString other = m_folder->filePath(QStringLiteral("Vocabulary/Other/"));
        UnitDescriptor(other + QStringLiteral("Animals.lif"))
            .write(1, 4, QStringLiteral("Animals"), QString());
        UnitDescriptor(other + QStringLiteral("Colours.lif"))
            .write(1, 6, QStringLiteral("Colours"), QString());
        UnitDescriptor(m_folder->filePath(QStringLiteral("Vocabulary/French/Verbs/Être.lif")))
            .write(1, 4, QStringLiteral("Verbs"), QString());
        TLumoTable table(m_messages);
        const OpenUnit unit;
        const PageServices services{m_messages, BusyIndicator::none(), table, unit, {}, {}, {}, {}};
        UnitPage page(services);
        TImageList *large = CreateLargeFlags(&page, TestFolder::shippedFile(QStringLiteral("flags/")));
        TImageList *small = CreateSmallFlags(&page, TestFolder::shippedFile(QStringLiteral("flags/")));
        page.setImages(large, small, m_images.get());
        TLumoTreeView *tree = page.LumoTreeView1;
        tree->setShowAll(false);
        tree->setRoot(m_folder->filePath(QStringLiteral("Vocabulary")));
        tree->FullExpand();
        tree->SelectPath(other);
        page.resize(600, 380);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.LumoListView1->path(), other);
        QCOMPARE(page.LumoListView1->count(), 2);
        QCOMPARE(tree->width(), 200);
        saveScreenshot(page, QStringLiteral("unitmanager-tree"));
    }

    void allDrivesShowTheFileSystemRoot()
    {
        m_tree->setShowAll(true);
        QTreeWidgetItem *root = nullptr;
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            if (m_tree->topLevelItem(i)->text(0) == QStringLiteral("/"))
                root = m_tree->topLevelItem(i);
        QVERIFY(root);
        QCOMPARE(m_tree->currentItem(), root);
        QCOMPARE(m_tree->currentPath(), QStringLiteral("/"));
        const int picture = root->data(0, TLumoTreeView::ImageRole).toInt();
        QVERIFY(picture >= 4 && picture <= 8);
        QCOMPARE(root->data(0, TLumoTreeView::SelectedImageRole).toInt(), picture);
        m_tree->editItem(root);
        QVERIFY(!m_tree->isEditing());
    }
};

QTEST_MAIN(TestLumoTreeView)
#include "tst_lumotreeview.moc"
