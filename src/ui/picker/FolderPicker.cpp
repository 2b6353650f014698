#include "FolderPicker.h"

#include "DriveList.h"
#include "FolderList.h"
#include "PickedFolder.h"
#include "ui/common/CenterForm.h"
#include "ui/common/Twips.h"
#include "ui/common/WindowIcon.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace corvano {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* command = new QPushButton(caption, parent);
    command->setObjectName(name);
    command->setGeometry(place);
    // Neither button answers Enter: only a click (or Space on the focused one) confirms.
    command->setAutoDefault(false);
    command->setDefault(false);
    return command;
}

} // namespace

FolderPicker::FolderPicker(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("dialog");
    setWindowTitle("选择文件夹");
    setWindowIcon(WindowIcon::icon());
    setFixedSize(Twips::toPixels(4680), Twips::toPixels(4350));
    setModal(true);
    createControls();
    Form_Load();
}

void FolderPicker::createControls()
{
    m_label1 = new QLabel("驱动器：", this);
    m_label1->setObjectName("Label1");
    m_label1->setGeometry(Twips::rect(120, 120, 735, 375));
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_drive1 = new DriveList(this);
    m_drive1->setObjectName("Drive1");
    m_drive1->setGeometry(Twips::rect(960, 120, 3615, 300));
    m_dir1 = new FolderList(this);
    m_dir1->setObjectName("Dir1");
    m_dir1->setGeometry(Twips::rect(120, 600, 4455, 2820));
    m_command1 = button(this, "Command1", "确定", Twips::rect(1080, 3600, 975, 495));
    m_command2 = button(this, "Command2", "取消", Twips::rect(2280, 3600, 975, 495));
    setTabOrder(m_drive1, m_dir1);
    setTabOrder(m_dir1, m_command1);
    setTabOrder(m_command1, m_command2);
    connect(m_command1, &QPushButton::clicked, this, &FolderPicker::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &FolderPicker::Command2_Click);
}

void FolderPicker::Form_Load()
{
    // A volume has no current folder of its own here: choosing one always opens its root.
    const QString current = QDir::currentPath();
    m_dir1->setPath(current);
    m_drive1->selectVolumeOf(current);
    connect(m_drive1, &QComboBox::currentIndexChanged, this, &FolderPicker::Drive1_Change);
    m_drive1->setFocus();
    CenterForm(*this);
}

void FolderPicker::Drive1_Change()
{
    // A volume that cannot be listed leaves the previous folder open, without a message.
    m_dir1->setPath(m_drive1->selectedRoot());
    m_dir1->refresh();
    m_dir1->setFocus();
}

void FolderPicker::Command1_Click()
{
    PickedFolder::confirm(m_dir1->path().toStdString());
    accept();
}

void FolderPicker::Command2_Click()
{
    reject();
}

} // namespace corvano
