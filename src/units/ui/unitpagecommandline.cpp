// Selecting the unit named when the program was started.
#include "platform/lumoerror.h"
#include "uilang/translate.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "vocfile/unitfiles.h"
#include "widgets/pageservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The node of the tree whose folder is folder, opening the nodes on the way; null when the
// folder lies outside every top-level node.
QTreeWidgetItem *nodeOf(TLumoTreeView &tree, const QString &folder)
{
    QTreeWidgetItem *found = nullptr;
    QTreeWidgetItem *level = tree.invisibleRootItem();
    while (level) {
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < level->childCount() && !next; ++i) {
            QTreeWidgetItem *child = level->child(i);
            if (folder.startsWith(tree.NodePath(child)))
                next = child;
        }
        if (!next)
            break;
        found = next;
        if (tree.NodePath(found) == folder)
            break;
        if (!found->isExpanded())
            tree.LoadChildren(found);
        level = found;
    }
    return found && tree.NodePath(found) == folder ? found : nullptr;
}
} // namespace

void UnitPage::SelectUnit(const QString &descriptor)
{
    const QFileInfo file(descriptor);
    const auto refuse = [&](const char *key, const char *english) {
        throw LumoError(Translate(m_services.languageFile(), QStringLiteral("MainForm"), QLatin1String(key),
                                  QLatin1String(english)) +
                        QStringLiteral("\r\n") + descriptor);
    };
    if (!file.exists())
        refuse("MsgUnitNotFound", "The unit could not be found:");
    if (file.isDir())
        refuse("MsgUnitIsFolder", "This is a folder, not a unit:");
    if (!UnitFiles::isDescriptor(file.fileName()))
        refuse("MsgNotAUnit", "This file is not a unit descriptor (.lif):");
    if (QFile unit(file.absoluteFilePath()); !unit.open(QIODevice::ReadOnly))
        refuse("MsgUnitUnreadable", "The unit cannot be read:");

    QString folder = QDir::cleanPath(file.absolutePath());
    if (!folder.endsWith(u'/'))
        folder += u'/';
    TLumoTreeView *tree = LumoTreeView1;
    TLumoListView *list = LumoListView1;
    // Below the base folder the tree shows where the unit lies; elsewhere it keeps its base.
    if (QTreeWidgetItem *node = nodeOf(*tree, folder)) {
        tree->scrollToItem(node);
        tree->setCurrentItem(node);
    }
    if (list->path() != folder)
        list->setPath(folder);
    list->selectCaption(file.completeBaseName());
}
