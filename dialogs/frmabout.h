#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace platform {
struct Platform;
}

// The version dialog: modeless, at most one. "OK" (Enter, Esc, the close box) accepts it,
// which gives the settings window its input back.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(platform::Platform &platform);

    struct
    {
        QLabel *picIcon = nullptr;
        QLabel *lblTitle = nullptr;
        QLabel *lblVersion = nullptr;
        QLabel *lblDescription = nullptr;
        QPushButton *cmdOK = nullptr;
        QPushButton *cmdSysInfo = nullptr;
    } ui;

    static QString versionText();
    static QString descriptionText();

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void reject() override;

private:
    platform::Platform &m_platform;
};
