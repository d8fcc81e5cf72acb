// Placing a new file without ever replacing one, in one step or, where the file system refuses
// that, by claiming the name first.

#include "platform/newfile.h"
#include "support/racingchildren.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

QStringList filesIn(const TestFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

class TestNewFile : public QObject
{
    Q_OBJECT

private slots:
    void placesOnlyWhereNoFileIs_data();
    void placesOnlyWhereNoFileIs();
    void twoProcessesSavingOneNewFile_data();
    void twoProcessesSavingOneNewFile();
};

void TestNewFile::placesOnlyWhereNoFileIs_data()
{
    QTest::addColumn<bool>("claimFirst");
    QTest::addColumn<bool>("taken");
    QTest::newRow("one step, free") << false << false;
    QTest::newRow("one step, taken") << false << true;
    QTest::newRow("claim first, free") << true << false;
    QTest::newRow("claim first, taken") << true << true;
}

void TestNewFile::placesOnlyWhereNoFileIs()
{
    QFETCH(bool, claimFirst);
    QFETCH(bool, taken);
    NewFile::setOneStepRefused(claimFirst);
    const auto restore = qScopeGuard([] { NewFile::setOneStepRefused(false); });
    TestFolder folder;
    const QString target = folder.filePath(QStringLiteral("unit.lif"));
    if (taken)
        folder.writeFile(QStringLiteral("unit.lif"), "theirs");
    const QString scratch = folder.writeFile(QStringLiteral("scratch"), "ours");

    QCOMPARE(NewFile::place(scratch, target), taken ? NewFile::Result::Exists : NewFile::Result::Placed);
    QCOMPARE(contents(target), taken ? QByteArray("theirs") : QByteArray("ours"));
    QCOMPARE(filesIn(folder), QStringList({"unit.lif"})); // the scratch file is gone either way

    const QString saved = folder.filePath(QStringLiteral("saved.lif"));
    QCOMPARE(NewFile::save(saved, "first"), NewFile::Result::Placed);
    QCOMPARE(NewFile::save(saved, "second"), NewFile::Result::Exists);
    QCOMPARE(contents(saved), QByteArray("first"));
    QCOMPARE(filesIn(folder), QStringList({"saved.lif", "unit.lif"}));
}

void TestNewFile::twoProcessesSavingOneNewFile_data()
{
    QTest::addColumn<bool>("claimFirst");
    QTest::newRow("one step") << false;
    QTest::newRow("claim first") << true;
}

void TestNewFile::twoProcessesSavingOneNewFile()
{
    QFETCH(bool, claimFirst);
    NewFile::setOneStepRefused(claimFirst);
    const auto restore = qScopeGuard([] { NewFile::setOneStepRefused(false); });
    for (int round = 0; round < 30; ++round) {
        TestFolder folder;
        const QString target = folder.filePath(QStringLiteral("unit.lif"));
        const auto saving = [&target](const QByteArray &bytes) {
            return [&target, bytes] {
                return NewFile::save(target, bytes) == NewFile::Result::Placed ? QString::fromLatin1(bytes)
                                                                               : QStringLiteral("lost");
            };
        };
        const QStringList results = RacingChildren::run({saving("first"), saving("second")});
        // Exactly one placed its file, and the file is that one's.
        QCOMPARE(results.count(QStringLiteral("lost")), 1);
        const QString winner = results.at(results.at(0) == QStringLiteral("lost") ? 1 : 0);
        QCOMPARE(QString::fromLatin1(contents(target)), winner);
        QCOMPARE(filesIn(folder), QStringList({"unit.lif"}));
    }
}

QTEST_GUILESS_MAIN(TestNewFile)
#include "tst_newfile.moc"
