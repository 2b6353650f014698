#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace corvano {

class DriveList;
class FolderList;

// The folder picker (the designer's form "dialog", its object name): a modal window with the
// volumes and the folder list. "确定" stores the open folder in PickedFolder; "取消", Esc and the
// close box leave PickedFolder as it was. Each opening starts in the program's current folder.
class FolderPicker : public QDialog
{
    Q_OBJECT

public:
    explicit FolderPicker(QWidget* parent = nullptr);

private:
    void createControls();
    void Form_Load();
    void Drive1_Change();
    void Command1_Click();
    void Command2_Click();

    QLabel* m_label1 = nullptr;
    DriveList* m_drive1 = nullptr;
    FolderList* m_dir1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};

} // namespace corvano
