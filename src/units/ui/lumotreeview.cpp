#include "units/ui/lumotreeview.h"

#include <QDir>
#include <QFileInfo>

TLumoTreeView::TLumoTreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setIndentation(19);
    rebuild();
}

void TLumoTreeView::setRoot(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        m_root = path;
        while (m_root.size() > 1 && m_root.endsWith(u'/'))
            m_root.chop(1);
    } else {
        m_root = QStringLiteral("/");
    }
    rebuild();
}

void TLumoTreeView::setShowAll(bool on)
{
    m_showAll = on;
    rebuild();
}

void TLumoTreeView::setLanguageFile(const QString &file)
{
    m_languageFile = QFileInfo::exists(file) ? file : QString();
}

void TLumoTreeView::SelectPath(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return;
    m_currentPath = QDir::cleanPath(path) + u'/';
    if (m_currentPath == QStringLiteral("//"))
        m_currentPath = QStringLiteral("/");
    emit PathChange(m_currentPath);
}

void TLumoTreeView::rebuild()
{
    clear();
    auto *top = new QTreeWidgetItem(this, QStringList(m_showAll ? QStringLiteral("/") : m_root));
    setCurrentItem(top);
}
