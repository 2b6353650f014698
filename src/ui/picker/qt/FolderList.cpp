#include "FolderList.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

namespace corvano {

namespace {

constexpr int kPathRole = Qt::UserRole;

} // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(12);
    m_model.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model.setReadOnly(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](const QTreeWidgetItem* item) { openItem(item); });
    connect(&m_model, &QFileSystemModel::directoryLoaded, this,
            [this](const QString& folder) { onModelChanged(m_model.index(folder)); });
    connect(&m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent) { onModelChanged(parent); });
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex& parent) { onModelChanged(parent); });
}

bool FolderList::setPath(const QString& folder)
{
    const QFileInfo info(folder);
    // A folder that cannot be listed (missing, not mounted, no permission) is not opened.
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    m_path = QDir::cleanPath(info.absoluteFilePath());
    m_model.setRootPath(m_path);
    const QModelIndex index = m_model.index(m_path);
    if (m_model.canFetchMore(index))
        m_model.fetchMore(index);
    showChain();
    return true;
}

void FolderList::showChain()
{
    clear();
    QString ancestor = QDir::rootPath();
    QTreeWidgetItem* item = addFolder(nullptr, ancestor, ancestor, true);
    for (const QString& name : m_path.split('/', Qt::SkipEmptyParts)) {
        ancestor = QDir::cleanPath(ancestor + '/' + name);
        item = addFolder(item, name, ancestor, true);
    }
    m_openItem = item;
    setCurrentItem(m_openItem);
    refresh();
}

void FolderList::refresh()
{
    if (!m_openItem)
        return;
    const QTreeWidgetItem* highlighted = currentItem();
    const QString highlightedPath = highlighted && highlighted->parent() == m_openItem
                                        ? highlighted->data(0, kPathRole).toString()
                                        : QString();
    qDeleteAll(m_openItem->takeChildren());
    for (const QString& name : subfolderNames()) {
        const QString path = QDir::cleanPath(m_path + '/' + name);
        QTreeWidgetItem* child = addFolder(m_openItem, name, path, false);
        if (path == highlightedPath)
            setCurrentItem(child);
    }
    expandAll();
}

QStringList FolderList::subfolderNames() const
{
    const QModelIndex parent = m_model.index(m_path);
    QStringList names;
    for (int row = 0; row < m_model.rowCount(parent); ++row)
        names.append(m_model.fileName(m_model.index(row, 0, parent)));
    // The native picker's order on every system: digits by their value, letters without regard
    // to case. The C locale's collator would compare code points and ignore both settings.
    QCollator order(QLocale(QLocale::Chinese, QLocale::China));
    order.setNumericMode(true);
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), order);
    return names;
}

QTreeWidgetItem* FolderList::addFolder(QTreeWidgetItem* parent, const QString& name,
                                       const QString& path, bool open)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setData(0, kPathRole, path);
    item->setIcon(0, style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon));
    return item;
}

void FolderList::onModelChanged(const QModelIndex& parent)
{
    if (!m_path.isEmpty() && parent == m_model.index(m_path))
        refresh();
}

void FolderList::openItem(const QTreeWidgetItem* item)
{
    // A folder that vanished or became unreadable since it was listed stays closed.
    if (item)
        setPath(item->data(0, kPathRole).toString());
}

void FolderList::drawBranches(QPainter*, const QRect&, const QModelIndex&) const
{
    // The chain is always fully open, so it shows no expand or collapse marks.
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openItem(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace corvano
