#pragma once

#include <QTreeWidget>

// The folder tree of the unit manager. For now it keeps the base folder, the all-drives
// switch and the current folder that the main window restores and stores; showing and
// editing the folders themselves is still to come.
class TLumoTreeView : public QTreeWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Root READ root WRITE setRoot)
    Q_PROPERTY(bool ShowAll READ showAll WRITE setShowAll)
    Q_PROPERTY(QString Extension READ extension WRITE setExtension)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)

public:
    explicit TLumoTreeView(QWidget *parent = nullptr);

    // The base folder, without a trailing "/" (the file system's root when the folder given
    // does not exist).
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
    // Selects an existing folder; a folder that does not exist selects nothing.
    void SelectPath(const QString &path);
    void FullExpand() { expandAll(); }

signals:
    void PathChange(const QString &newPath);

private:
    void rebuild();

    QString m_root = QStringLiteral("/");
    bool m_showAll = true;
    QString m_extension;
    QString m_languageFile;
    QString m_currentPath;
};
