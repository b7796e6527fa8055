#include "dialogs/form2.h"

#include "dialogs/folderlist.h"
#include "dialogs/twips.h"
#include "platform/desktop/messageboxes.h"
#include "platform/system/drives.h"
#include "platform/system/foldertest.h"
#include "texts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

Form2::Form2(QWidget *settingsWindow, QLineEdit *workFolderField, platform::MessageBoxes &messages)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_settingsWindow(settingsWindow), m_workFolderField(workFolderField), m_messages(messages)
{
    setWindowTitle(texts::folderChooserTitle);
    setFixedSize(twipsToPixels(3390), twipsToPixels(3720));

    ui.Dir1 = new FolderList(this);
    ui.Drive1 = new QComboBox(this);
    ui.Text1 = new QLineEdit(this);
    ui.Command1 = new QPushButton(texts::okButton, this);
    ui.Command2 = new QPushButton(texts::cancelButton, this);
    ui.Drive1->setGeometry(twipsRect(120, 120, 3135, 300));
    ui.Text1->setGeometry(twipsRect(120, 480, 3135, 270));
    ui.Dir1->setGeometry(twipsRect(120, 840, 3135, 2400));
    ui.Command1->setGeometry(twipsRect(960, 3360, 1095, 255));
    ui.Command2->setGeometry(twipsRect(2160, 3360, 1095, 255));
    setTabOrder(ui.Dir1, ui.Drive1);
    setTabOrder(ui.Drive1, ui.Text1);
    setTabOrder(ui.Text1, ui.Command1);
    setTabOrder(ui.Command1, ui.Command2);
    ui.Command1->setAutoDefault(false);
    ui.Command2->setAutoDefault(false);

    // Shows the launcher's current drive and folder as they are when it is first needed.
    const QString current = QDir::toNativeSeparators(QDir::currentPath());
    const QStringList drives = platform::listDrives();
    ui.Drive1->addItems(drives);
    ui.Drive1->setCurrentText(platform::driveOf(current, drives));
    ui.Dir1->setPath(current);

    connect(ui.Drive1, &QComboBox::activated, this, &Form2::Drive1_Change);
    connect(ui.Dir1, &FolderList::pathChanged, this, &Form2::Dir1_Change);
    connect(ui.Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::showChooser()
{
    // Kept above the settings window, which is disabled while the chooser is open: a child
    // window would be disabled with it, so the settings window is only its transient parent.
    create();
    windowHandle()->setTransientParent(m_settingsWindow->window()->windowHandle());
    show();
    raise();
    activateWindow();
    Form_Activate();
}

void Form2::Form_Activate()
{
    ui.Text1->setText(ui.Dir1->path());
}

void Form2::Drive1_Change()
{
    ui.Dir1->setPath(ui.Drive1->currentText());
}

void Form2::Dir1_Change()
{
    ui.Text1->setText(ui.Dir1->path());
}

void Form2::Command1_Click()
{
    const QString folder = ui.Text1->text();
    if (!platform::passesFolderTest(folder)) {
        m_messages.show(folder + texts::crlf + texts::folderNotFound, texts::fileErrorTitle);
        return;
    }
    m_workFolderField->setText(folder);
    m_settingsWindow->setEnabled(true);
    hide();
}

void Form2::Command2_Click()
{
    m_settingsWindow->setEnabled(true);
    hide();
}

// Closing from the frame or with Esc is "ｷｬﾝｾﾙ".
void Form2::closeEvent(QCloseEvent *event)
{
    event->ignore();
    Command2_Click();
}

void Form2::reject()
{
    Command2_Click();
}
