#include "app/ui/mainform.h"
#include "platform/lumoerror.h"
#include "uilang/translate.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"

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

QString TMainForm::commandLineText(const QString &key, const QString &english) const
{
    return Translate(m_unitPage->LumoListView1->languageFile(), QStringLiteral("MainForm"), key, english);
}

void TMainForm::SelectUnit(const QString &descriptor)
{
    const QFileInfo file(descriptor);
    const auto refuse = [&](const char *key, const char *english) {
        throw LumoError(commandLineText(QLatin1String(key), QLatin1String(english)) + QStringLiteral("\r\n") +
                        descriptor);
    };
    if (!file.exists())
        refuse("MsgUnitNotFound", "The unit could not be found:");
    if (file.isDir())
        refuse("MsgUnitIsFolder", "This is a folder, not a unit:");
    if (file.suffix().compare(QStringLiteral("lif"), Qt::CaseInsensitive) != 0)
        refuse("MsgNotAUnit", "This file is not a unit descriptor (.lif):");
    if (QFile unit(file.absoluteFilePath()); !unit.open(QIODevice::ReadOnly))
        refuse("MsgUnitUnreadable", "The unit cannot be read:");

    QString folder = QDir::cleanPath(file.absolutePath());
    if (!folder.endsWith(u'/'))
        folder += u'/';
    TLumoTreeView *tree = m_unitPage->LumoTreeView1;
    TLumoListView *list = m_unitPage->LumoListView1;
    // Below the base folder the tree shows where the unit lies; elsewhere it keeps its base.
    if (QTreeWidgetItem *node = nodeOf(*tree, folder)) {
        tree->scrollToItem(node);
        tree->setCurrentItem(node);
    }
    if (list->path() != folder)
        list->setPath(folder);
    list->selectCaption(file.completeBaseName());
}
