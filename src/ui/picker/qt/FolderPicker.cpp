#include "FolderPicker.h"

#include "DriveList.h"
#include "FolderList.h"
#include "ui/common/qt/CenterForm.h"
#include "ui/common/qt/PlaceControl.h"
#include "ui/common/qt/WindowIcon.h"
#include "ui/picker/FolderPickerLayout.h"
#include "ui/picker/PickedFolder.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace corvano {

namespace {

QPushButton* button(QWidget* parent, const ControlLayout& layout)
{
    auto* command = place(new QPushButton(layout.caption, parent), layout);
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
    setWindowTitle(FolderPickerLayout::kTitle);
    setWindowIcon(WindowIcon::icon());
    setFixedSize(Twips::toPixels(FolderPickerLayout::kClientWidth),
                 Twips::toPixels(FolderPickerLayout::kClientHeight));
    setModal(true);
    createControls();
    Form_Load();
}

void FolderPicker::createControls()
{
    m_label1 =
        place(new QLabel(FolderPickerLayout::Label1.caption, this), FolderPickerLayout::Label1);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_drive1 = place(new DriveList(this), FolderPickerLayout::Drive1);
    m_dir1 = place(new FolderList(this), FolderPickerLayout::Dir1);
    m_command1 = button(this, FolderPickerLayout::Command1);
    m_command2 = button(this, FolderPickerLayout::Command2);
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
