#pragma once

#include <QFileSystemModel>
#include <QTreeWidget>

namespace corvano {

// The folder list of the picker: the ancestors of the open folder, the open folder and its
// subfolders, indented as a chain. A double click (or Enter) opens a folder; a single click
// only highlights it. The subfolders come from a file-system model, which keeps them
// current as folders appear and vanish.
class FolderList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    // The open folder: a root ends with "/", every other path does not.
    QString path() const { return m_path; }
    // Opens the folder; false, with nothing changed, when it cannot be listed.
    bool setPath(const QString& folder);
    // Shows the subfolders again as the model now has them.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    void openItem(const QTreeWidgetItem* item);
    void showChain();
    void onModelChanged(const QModelIndex& parent);
    // The names of the open folder's subfolders, in natural order.
    QStringList subfolderNames() const;
    QTreeWidgetItem* addFolder(QTreeWidgetItem* parent, const QString& name, const QString& path,
                               bool open);

    QFileSystemModel m_model;
    QString m_path;
    QTreeWidgetItem* m_openItem = nullptr;
};

} // namespace corvano
