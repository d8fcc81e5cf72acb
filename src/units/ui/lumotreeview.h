#pragma once

#include "units/drivekinds.h"

#include <QHash>
#include <QTreeWidget>

#include <functional>

class BusyIndicator;
class MessageService;
class TImageList;
class UnitFileClash;

// The folder tree of the unit manager: the folders below the base folder, or below every
// mounted file system in the all-drives mode. Folders are read lazily, one level when a node
// is opened, with a look-ahead per child that decides whether it gets an expand button.
// Folders holding units show the program's emblem. The tree creates, renames and removes
// folders and takes units dropped from the file list.
class TLumoTreeView : public QTreeWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Root READ root WRITE setRoot)
    Q_PROPERTY(bool ShowAll READ showAll WRITE setShowAll)
    Q_PROPERTY(QString Extension READ extension WRITE setExtension)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)

public:
    // What a node keeps besides its caption.
    enum Role {
        ImageRole = Qt::UserRole + 1, // the picture index in the normal state
        SelectedImageRole,            // the picture index in the selected state
        LoadedRole,                   // the node's children were read from disk
        LinkRole,                     // the node's folder is a symbolic link
    };

    // Where the tree asks and tells, and the hourglass while it reads or moves folders.
    TLumoTreeView(MessageService &messages, BusyIndicator &busy, QWidget *parent = nullptr);

    // The pictures: nine, in the order of AddFolderTreePictures.
    void setImages(const TImageList *images);
    // Where the tree reads the mount table that tells which folders are mounted file
    // systems; /proc/self/mountinfo unless a test gives its own.
    void setMountInfo(std::function<QByteArray()> read) { m_mountInfo = std::move(read); }

    // The base folder, without a trailing "/". A folder that does not exist gives the
    // home folder instead.
    QString root() const { return m_root; }
    void setRoot(const QString &path);
    bool showAll() const { return m_showAll; }
    void setShowAll(bool on);
    QString extension() const { return m_extension; }
    void setExtension(const QString &extension) { m_extension = extension; }
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &file);

    // The selected folder, ending in "/"; empty when none is selected.
    QString currentPath() const { return m_currentPath; }
    // The folder of a node, ending in "/".
    QString NodePath(const QTreeWidgetItem *node) const;
    // Opens the nodes down to an existing folder and selects it; anything else does nothing.
    void SelectPath(const QString &path);
    // Opens every node with all below it, which reads the whole tree below the base folder;
    // below the home folder that stands in for a missing base folder, only the first level.
    void FullExpand();
    // Reads a node's subfolders anew; false when its folder is gone.
    bool LoadChildren(QTreeWidgetItem *node);

    // Creates "New Folder" (or "New Folder (n)") below the selected node, selects it and
    // starts editing its name; returns its path, empty when nothing was created.
    QString NewFolder();
    // Asks, then moves the selected folder with all below it to the trash. A drive, the
    // root and a mounted folder are refused before the question.
    void DeleteFolder();
    // Renames the folder of a node below the top level; false (the message shown, the
    // caption kept) when it cannot be done.
    bool RenameNode(QTreeWidgetItem *node, const QString &newName);
    // Moves (or copies) the named units of sourceFolder into targetFolder, as a drop from
    // the file list does.
    void DropUnits(const QString &sourceFolder, const QStringList &captions, const QString &targetFolder,
                   bool copy);

    // Whether a folder's name is being edited.
    bool isEditing() const { return state() == EditingState; }

    // One of the tree's own texts (the seven messages) as it is now.
    QString text(const char *key) const;
    // Every key of the tree's own section with its English text.
    static QList<QPair<QString, QString>> englishTexts();

signals:
    void PathChange(const QString &newPath);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void commitData(QWidget *editor) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void rebuild();
    void buildNodes();
    QTreeWidgetItem *addFolderNode(QTreeWidgetItem *parent, const QString &name, const QString &path);
    void setPictures(QTreeWidgetItem *node, int normal, int selected);
    void nodeExpanded(QTreeWidgetItem *node);
    void selectionChanged(QTreeWidgetItem *current);
    void expandAllBelow(QTreeWidgetItem *node, QTreeWidgetItem *&last);
    QTreeWidgetItem *childNamed(QTreeWidgetItem *node, const QString &name) const;
    void copyUnit(const QString &source, const QString &targetFolder);
    void moveUnit(const QString &source, const QString &targetFolder);
    void showClash(const UnitFileClash &clash);
    MessageService &messages() const { return m_messages; }

    const TImageList *m_images = nullptr;
    MessageService &m_messages;
    BusyIndicator &m_busy;
    QHash<int, QIcon> m_icons; // by normal * 16 + selected picture
    QString m_root;
    bool m_rootFellBack = false;
    bool m_showAll = true;
    bool m_quiet = false; // no path change while the tree is built or fully opened
    QString m_extension;
    QString m_languageFile;
    QString m_currentPath;
    QHash<QString, QString> m_texts;
    QTreeWidgetItem *m_editing = nullptr;
    std::function<QByteArray()> m_mountInfo = ReadMountInfo;
};
