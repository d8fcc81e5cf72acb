#include "units/ui/lumotreeview.h"

#include "platform/busyindicator.h"
#include "platform/messageservice.h"
#include "uilang/translate.h"
#include "units/drivekinds.h"
#include "units/folderoperations.h"
#include "units/ui/lumolistview.h"
#include "vocfile/unitfiles.h"
#include "widgets/imagelist.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <array>

namespace {
constexpr const char *UnitFilesClashText =
    "Two files of this unit differ only in the case of their extension. Keep one of them and try again:";

struct TextEntry
{
    const char *key;
    const char *beforeFile; // shown until a language file is applied
    const char *missing;    // when the applied file lacks the key
};

constexpr std::array<TextEntry, 9> Texts = {{
    {"FileCopyFailed", "Could not copy file: ", "Cannot copy file: "},
    {"FileExists", "File already exists. Do you want to overwrite the existing file?",
     "File already exists. Do you want to overwrite the existing file?"},
    {"FileMoveFailed", "Could not rename file: ", "Cannot rename file: "},
    {"DirMoveFailed", "Could not rename directory: ", "Cannot rename directory: "},
    {"DeleteFolder",
     "Are you sure you want to remove the folder:", "Are you sure you want to remove the folder:"},
    {"DelFolderFailed", "Could not remove folder!", "Cannot remove folder: "},
    {"NewFolderText", "New Folder", "New Folder"},
    {"MsgCannotDeleteRoot",
     "A drive or a mounted folder cannot be removed:", "A drive or a mounted folder cannot be removed:"},
    {"MsgUnitFilesClash", UnitFilesClashText, UnitFilesClashText},
}};

int DrivePicture(DriveKind kind)
{
    switch (kind) {
    case DriveKind::Removable: return 4;
    case DriveKind::Fixed: return 5;
    case DriveKind::Remote: return 6;
    case DriveKind::CdRom: return 7;
    case DriveKind::RamDisk: return 8;
    case DriveKind::None: break;
    }
    return -1;
}

const QString LineBreak = QStringLiteral("\r\n");

TLumoListView *FileListOf(QObject *source)
{
    for (QObject *o = source; o; o = o->parent())
        if (auto *list = qobject_cast<TLumoListView *>(o))
            return list;
    return nullptr;
}

// Sets a flag for a scope, whatever way it is left.
class QuietScope
{
public:
    explicit QuietScope(bool &flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~QuietScope() { m_flag = m_before; }
    QuietScope(const QuietScope &) = delete;
    QuietScope &operator=(const QuietScope &) = delete;

private:
    bool &m_flag;
    bool m_before;
};
} // namespace

TLumoTreeView::TLumoTreeView(MessageService &messages, BusyIndicator &busy, QWidget *parent)
    : QTreeWidget(parent), m_messages(messages), m_busy(busy)
{
    setHeaderHidden(true);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setContextMenuPolicy(Qt::CustomContextMenu);
    for (const TextEntry &t : Texts)
        m_texts.insert(QString::fromLatin1(t.key), QString::fromUtf8(t.beforeFile));
    m_root = QDir::homePath();
    connect(this, &QTreeWidget::itemExpanded, this, &TLumoTreeView::nodeExpanded);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { selectionChanged(current); });
    rebuild();
}

QList<QPair<QString, QString>> TLumoTreeView::englishTexts()
{
    QList<QPair<QString, QString>> texts;
    for (const TextEntry &t : Texts)
        texts.append({QString::fromLatin1(t.key), QString::fromUtf8(t.missing)});
    return texts;
}

QString TLumoTreeView::text(const char *key) const
{
    return m_texts.value(QString::fromLatin1(key));
}

void TLumoTreeView::setImages(const TImageList *images)
{
    m_images = images;
    m_icons.clear();
    rebuild();
}

void TLumoTreeView::setRoot(const QString &path)
{
    const QFileInfo folder(path);
    m_rootFellBack = path.isEmpty() || !folder.isDir();
    m_root = m_rootFellBack ? QDir::homePath() : path;
    while (m_root.size() > 1 && m_root.endsWith(u'/'))
        m_root.chop(1);
    rebuild();
}

void TLumoTreeView::setShowAll(bool on)
{
    m_showAll = on;
    rebuild();
}

void TLumoTreeView::setLanguageFile(const QString &file)
{
    m_languageFile.clear();
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    m_languageFile = file;
    for (const TextEntry &t : Texts)
        m_texts.insert(QString::fromLatin1(t.key), Translate(file, objectName(), QString::fromLatin1(t.key),
                                                             QString::fromUtf8(t.missing)));
}

QString TLumoTreeView::NodePath(const QTreeWidgetItem *node) const
{
    QString path;
    for (; node; node = node->parent()) {
        QString caption = node->text(0);
        if (!caption.endsWith(u'/'))
            caption += u'/';
        path.prepend(caption);
    }
    return path;
}

void TLumoTreeView::setPictures(QTreeWidgetItem *node, int normal, int selected)
{
    node->setData(0, ImageRole, normal);
    node->setData(0, SelectedImageRole, selected);
    if (!m_images || normal < 0)
        return;
    const int key = normal * 16 + selected;
    auto found = m_icons.constFind(key);
    if (found == m_icons.constEnd()) {
        QIcon icon;
        for (const qreal ratio : {1.0, 2.0}) {
            icon.addPixmap(m_images->pixmap(normal, ratio), QIcon::Normal);
            icon.addPixmap(m_images->pixmap(selected, ratio), QIcon::Selected);
        }
        found = m_icons.insert(key, icon);
    }
    node->setIcon(0, *found);
}

QTreeWidgetItem *TLumoTreeView::addFolderNode(QTreeWidgetItem *parent, const QString &name,
                                              const QString &path)
{
    auto *node = parent ? new QTreeWidgetItem(parent, QStringList(name))
                        : new QTreeWidgetItem(this, QStringList(name));
    const FolderLook look = LookInto(path, m_extension);
    setPictures(node, look.holdsUnits ? 2 : 0, look.holdsUnits ? 3 : 1);
    node->setData(0, LinkRole, QFileInfo(path.chopped(1)).isSymLink());
    node->setChildIndicatorPolicy(look.hasSubfolder ? QTreeWidgetItem::ShowIndicator
                                                    : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    if (parent)
        node->setFlags(node->flags() | Qt::ItemIsEditable | Qt::ItemIsDropEnabled);
    else
        node->setFlags((node->flags() | Qt::ItemIsDropEnabled) & ~Qt::ItemIsEditable);
    return node;
}

void TLumoTreeView::rebuild()
{
    buildNodes();
    // The file list shows the folder now selected, not the one it showed before.
    if (!m_quiet && !m_currentPath.isEmpty())
        emit PathChange(m_currentPath);
}

void TLumoTreeView::buildNodes()
{
    QuietScope quiet(m_quiet);
    clear();
    m_currentPath.clear();
    QTreeWidgetItem *selected = nullptr;
    if (m_showAll) {
        for (const DriveRoot &drive : MountedDrives()) {
            auto *node = new QTreeWidgetItem(this, QStringList(drive.rootPath));
            const int picture = QFileInfo(drive.rootPath).isDir() ? DrivePicture(drive.kind) : -1;
            setPictures(node, picture, picture);
            node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            node->setFlags((node->flags() | Qt::ItemIsDropEnabled) & ~Qt::ItemIsEditable);
            // The file system's root stands where the first hard disk stood.
            if (drive.rootPath == QStringLiteral("/") || !selected)
                selected = node;
        }
    } else {
        selected = addFolderNode(nullptr, m_root, m_root.endsWith(u'/') ? m_root : m_root + u'/');
        selected->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    if (selected) {
        setCurrentItem(selected);
        m_currentPath = NodePath(selected);
    }
}

bool TLumoTreeView::LoadChildren(QTreeWidgetItem *node)
{
    const QString path = NodePath(node);
    if (!QFileInfo(path).isDir())
        return false;
    qDeleteAll(node->takeChildren());
    for (const QString &name : SubfolderNames(path))
        addFolderNode(node, name, path + name + u'/');
    node->setData(0, LoadedRole, true);
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return true;
}

void TLumoTreeView::nodeExpanded(QTreeWidgetItem *node)
{
    if (node->data(0, LoadedRole).toBool())
        return;
    const BusyScope busy(m_busy);
    if (!LoadChildren(node)) {
        // The folder is gone: its node cannot open.
        node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        collapseItem(node);
        return;
    }
    if (!m_quiet)
        setCurrentItem(node);
    if (node->childCount() == 0)
        collapseItem(node);
}

void TLumoTreeView::selectionChanged(QTreeWidgetItem *current)
{
    if (!current)
        return;
    m_currentPath = NodePath(current);
    if (!m_quiet)
        emit PathChange(m_currentPath);
}

void TLumoTreeView::expandAllBelow(QTreeWidgetItem *node, QTreeWidgetItem *&last)
{
    // A linked folder may lead back up the tree: it is opened by the user only.
    if (node->data(0, LinkRole).toBool())
        return;
    last = node;
    expandItem(node);
    for (int i = 0; i < node->childCount(); ++i)
        expandAllBelow(node->child(i), last);
}

void TLumoTreeView::FullExpand()
{
    const BusyScope busy(m_busy);
    QTreeWidgetItem *last = nullptr;
    {
        QuietScope quiet(m_quiet);
        setUpdatesEnabled(false);
        for (int i = 0; i < topLevelItemCount(); ++i) {
            QTreeWidgetItem *top = topLevelItem(i);
            if (m_rootFellBack && !m_showAll) {
                expandItem(top);
                last = top;
            } else {
                expandAllBelow(top, last);
            }
        }
        setUpdatesEnabled(true);
        if (last)
            setCurrentItem(last);
    }
    if (last)
        emit PathChange(m_currentPath);
}

QTreeWidgetItem *TLumoTreeView::childNamed(QTreeWidgetItem *node, const QString &name) const
{
    for (int i = 0; i < node->childCount(); ++i)
        if (node->child(i)->text(0) == name)
            return node->child(i);
    return nullptr;
}

void TLumoTreeView::SelectPath(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return;
    QString wanted = QDir::cleanPath(path);
    if (!wanted.endsWith(u'/'))
        wanted += u'/';
    QTreeWidgetItem *node = nullptr;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = topLevelItem(i);
        const QString topPath = NodePath(top);
        if (wanted.startsWith(topPath) && (!node || topPath.size() > NodePath(node).size()))
            node = top;
    }
    if (!node)
        return;
    {
        QuietScope quiet(m_quiet);
        const QStringList below = wanted.mid(NodePath(node).size()).split(u'/', Qt::SkipEmptyParts);
        for (const QString &name : below) {
            expandItem(node);
            QTreeWidgetItem *child = childNamed(node, name);
            if (!child)
                break;
            node = child;
        }
        expandItem(node);
        setCurrentItem(node);
        scrollToItem(node);
    }
    emit PathChange(m_currentPath);
}

QString TLumoTreeView::NewFolder()
{
    QTreeWidgetItem *parent = currentItem();
    if (!parent)
        return QString();
    const QString folder = NodePath(parent);
    const QString name = FreeFolderName(folder, text("NewFolderText"));
    if (!QDir().mkdir(folder + name))
        return QString();
    LoadChildren(parent);
    expandItem(parent);
    QTreeWidgetItem *created = childNamed(parent, name);
    if (!created)
        return QString();
    setPictures(created, 0, 1);
    setCurrentItem(created);
    scrollToItem(created);
    editItem(created);
    return folder + name + u'/';
}

void TLumoTreeView::DeleteFolder()
{
    QTreeWidgetItem *node = currentItem();
    if (!node)
        return;
    const QString path = NodePath(node);
    // A whole file system never goes: not a drive, not the root, not a mounted folder.
    const QByteArray mountInfo = m_mountInfo();
    if ((m_showAll && !node->parent()) || !IsRemovableFolder(path, mountInfo)) {
        messages().information(text("MsgCannotDeleteRoot") + LineBreak + path);
        return;
    }
    if (messages().show(MessageService::Kind::Confirmation, text("DeleteFolder") + LineBreak + path,
                        MessageService::Yes | MessageService::No) != MessageService::Yes)
        return;
    if (!RemoveFolderTree(path, mountInfo)) {
        messages().information(text("DelFolderFailed") + LineBreak + path);
        return;
    }
    delete node;
    if (!currentItem()) {
        // The base folder itself went: nothing is selected any more.
        m_currentPath.clear();
        emit PathChange(m_currentPath);
    }
}

bool TLumoTreeView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    QTreeWidgetItem *node = itemFromIndex(index);
    // Neither a file system's root nor the base folder is renamed from here.
    if (!node || !node->parent())
        return false;
    if (!QTreeWidget::edit(index, trigger, event))
        return false;
    m_editing = node;
    return true;
}

void TLumoTreeView::commitData(QWidget *editor)
{
    QTreeWidgetItem *node = m_editing;
    m_editing = nullptr;
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!node || !line || line->text() == node->text(0))
        return;
    RenameNode(node, line->text());
}

bool TLumoTreeView::RenameNode(QTreeWidgetItem *node, const QString &newName)
{
    if (!node || !node->parent())
        return false;
    const QString old = NodePath(node).chopped(1);
    if (!RenameFolder(old, newName)) {
        messages().information(text("DirMoveFailed") + LineBreak + old);
        return false;
    }
    node->setText(0, newName);
    m_currentPath = NodePath(node);
    emit PathChange(m_currentPath);
    return true;
}

void TLumoTreeView::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        DeleteFolder();
        return;
    }
    QTreeWidget::keyReleaseEvent(event);
}

void TLumoTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (FileListOf(event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TLumoTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    if (FileListOf(event->source()) && itemAt(event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TLumoTreeView::dropEvent(QDropEvent *event)
{
    TLumoListView *list = FileListOf(event->source());
    QTreeWidgetItem *node = itemAt(event->position().toPoint());
    // The files are moved here; a move reported back would make the list drop its rows.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (!list || !node)
        return;
    const bool copy = event->modifiers().testFlag(Qt::ControlModifier);
    DropUnits(list->path(), list->selectedCaptions(), NodePath(node), copy);
    list->setPath(list->path());
}

void TLumoTreeView::DropUnits(const QString &sourceFolder, const QStringList &captions,
                              const QString &targetFolder, bool copy)
{
    const BusyScope busy(m_busy);
    for (const QString &caption : captions) {
        const QString source = UnitFiles::findDescriptor(sourceFolder, caption);
        if (copy)
            copyUnit(source, targetFolder);
        else
            moveUnit(source, targetFolder);
    }
    // The target may hold units now.
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if (NodePath(*it) == targetFolder && (*it)->data(0, ImageRole).toInt() < 4)
            setPictures(*it, HoldsUnits(targetFolder, m_extension) ? 2 : 0,
                        HoldsUnits(targetFolder, m_extension) ? 3 : 1);
}

void TLumoTreeView::copyUnit(const QString &source, const QString &targetFolder)
{
    const UnitFiles unit(source);
    const QString target = UnitFiles::findDescriptor(targetFolder, unit.name());
    try {
        if (QFileInfo::exists(target)) {
            if (messages().show(MessageService::Kind::Confirmation, text("FileExists"),
                                MessageService::Yes | MessageService::No) != MessageService::Yes)
                return;
            // A unit is never copied onto itself; the one replaced goes to the trash.
            if (QFileInfo(target).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
                throw UnitFileError(source);
            UnitFiles(target).remove();
        }
        UnitFiles(source).copyTo(targetFolder);
    } catch (const UnitFileClash &clash) {
        showClash(clash);
    } catch (const LumoError &) {
        messages().information(text("FileCopyFailed") + LineBreak +
                               UnitFiles::withoutDescriptorExtension(source));
    }
}

void TLumoTreeView::moveUnit(const QString &source, const QString &targetFolder)
{
    try {
        UnitFiles(source).moveTo(targetFolder);
    } catch (const UnitFileClash &clash) {
        showClash(clash);
    } catch (const LumoError &) {
        messages().information(text("FileMoveFailed") + LineBreak +
                               UnitFiles::withoutDescriptorExtension(source));
    }
}

void TLumoTreeView::showClash(const UnitFileClash &clash)
{
    messages().information(text("MsgUnitFilesClash") + LineBreak + clash.files().join(LineBreak));
}
