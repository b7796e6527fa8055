#pragma once

#include <QDialog>

class FolderList;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace platform {
class MessageBoxes;
}

// The working-folder chooser. Created once and then only shown and hidden, so the drive and
// folder last shown are there again next time. The settings window stays disabled while it is
// open; "OK" with a folder that passes the folder test writes it into the working-folder field.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    Form2(QWidget *settingsWindow, QLineEdit *workFolderField, platform::MessageBoxes &messages);

    struct
    {
        QComboBox *Drive1 = nullptr;
        QLineEdit *Text1 = nullptr;
        FolderList *Dir1 = nullptr;
        QPushButton *Command1 = nullptr;
        QPushButton *Command2 = nullptr;
    } ui;

    void showChooser();

    void Form_Activate();
    void Drive1_Change();
    void Dir1_Change();
    void Command1_Click();
    void Command2_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QWidget *m_settingsWindow;
    QLineEdit *m_workFolderField;
    platform::MessageBoxes &m_messages;
};
