// Fully expanding a folder tree of 5,000 folders (10 x 10 x 50, every tenth holding a unit)
// in the folder tree, against walking the same folders with a plain directory iterator (the
// same folders, the same cache), with the ratio. The goal is under one second.

#include "platform/busyindicator.h"
#include "support/scriptedmessageservice.h"
#include "units/ui/folderimages.h"
#include "units/ui/lumotreeview.h"
#include "widgets/imagelist.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {
constexpr int Rounds = 3;

qint64 best(const std::function<void()> &work)
{
    qint64 fastest = std::numeric_limits<qint64>::max();
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        fastest = std::min(fastest, timer.nsecsElapsed());
    }
    return fastest;
}

int makeTree(const QString &base)
{
    int made = 0;
    for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b)
            for (int c = 0; c < 50; ++c) {
                const QString folder = base + QStringLiteral("/L%1/M%2/F%3").arg(a).arg(b).arg(c);
                QDir().mkpath(folder);
                if (c % 10 == 0)
                    QFile(folder + QStringLiteral("/unit.lif")).open(QIODevice::WriteOnly);
                ++made;
            }
    return made;
}

int walk(const QString &folder)
{
    int count = 0;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir folder;
    const QString base = folder.path() + QStringLiteral("/Base");
    const int leaves = makeTree(base);
    TImageList images(QSize(16, 16), nullptr);
    AddFolderTreePictures(images);
    ScriptedMessageService messages;
    TLumoTreeView tree(messages, BusyIndicator::none());
    tree.setExtension(QStringLiteral("lif"));
    tree.setImages(&images);
    tree.setShowAll(false);

    int nodes = 0;
    const qint64 expand = best([&] {
        tree.setRoot(base);
        tree.FullExpand();
        nodes = 0;
        for (QTreeWidgetItemIterator it(&tree); *it; ++it)
            ++nodes;
    });
    int walked = 0;
    const qint64 plain = best([&] { walked = walk(base); });
    out << "folders: " << leaves << " leaves, " << walked << " in all; tree nodes " << nodes - 1 << "\n";
    out << "full expansion: " << expand / 1000000.0 << " ms\n";
    out << "plain walk:     " << plain / 1000000.0 << " ms\n";
    out << "ratio expansion / walk: " << double(expand) / double(plain) << "\n";
    return nodes - 1 == walked ? 0 : 1;
}
