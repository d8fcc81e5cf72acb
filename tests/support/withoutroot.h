#pragma once

#include <QString>
#include <QStringList>

// Read-only and unreadable cases. The tests run as root, and root ignores file permissions,
// so such a case does its work in a child process without root's rights: the current test
// executable started again, through "setpriv" (util-linux), as the user nobody, with the name
// of the current test function. That function does the work when inChild() is true and
// prepares and checks around it otherwise. Run as a normal user, the child is started
// directly, as that user already lacks root's rights. Never skip such a case.
//
//   void TestFoo::readOnlyFileIsKept()
//   {
//       if (WithoutRoot::inChild()) {                // the child: act and check
//           QCOMPARE(writeSomething(WithoutRoot::values().at(0)), ...);
//           return;
//       }
//       TestFolder folder;                           // the parent: prepare ...
//       const QString path = folder.writeFile(...);
//       WithoutRoot::handOver(folder.path());        // the child's user owns and reaches it
//       QFile::setPermissions(path, QFileDevice::ReadOwner);
//       VERIFY_WITHOUT_ROOT({path});                // ... run the child, fail with its report
//       QCOMPARE(contents(path), ...);               // ... and check what is left
//   }
//
// Data-driven functions work too: the child runs the same data row. Give back permissions
// taken from a folder (a qScopeGuard), so that a normal user's temporary folder can be removed.
class WithoutRoot
{
public:
    struct Result
    {
        bool passed = false;
        // The child's output, or why it could not run.
        QString report;
    };

    // True in the child. It stops the child at once if it still has root's rights.
    static bool inChild();
    // The values the parent handed to run().
    static QStringList values();

    // Gives path (and, for a folder, all below it) to the child's user and lets that user
    // reach it through the temporary folders above it, which QTemporaryDir makes private.
    static void handOver(const QString &path);

    // Runs the current test function (and data row) in the child and waits for it.
    static Result run(const QStringList &values);
};

#define VERIFY_WITHOUT_ROOT(...)                                                                             \
    do {                                                                                                     \
        const WithoutRoot::Result childResult_ = WithoutRoot::run(__VA_ARGS__);                              \
        QVERIFY2(childResult_.passed, qPrintable(childResult_.report));                                      \
    } while (false)
