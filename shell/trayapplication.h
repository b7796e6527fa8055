#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/cataloguefile.h"
#include "platform/singleinstance.h"
#include "shell/cataloguesaver.h"
#include "shell/popupmenu.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

class Form1;
class frmAbout;

namespace platform {
struct Platform;
}

// The launcher as a whole: start-up, the tray icon and its popup, launching, and the end.
class TrayApplication : public QObject
{
    Q_OBJECT

public:
    enum class StartResult { Running, AlreadyRunning, Failed };

    TrayApplication(const QString &executablePath, platform::Platform &platform);
    ~TrayApplication() override;

    StartResult Form_Load();

    void CtlSysTray1_Click();
    void mnuMenu_Click(int category, int Index);
    void mnuConfig_Click();
    void mnuVersion_Click();
    void mnuPop_End_Click();

    Catalogue &catalogue() { return m_catalogue; }
    PopupMenu &popup() { return m_popup; }
    // The settings window: built the first time it is needed, then kept for the whole run.
    Form1 &form1();
    bool settingsWindowBuilt() const { return m_form1 != nullptr; }
    QSystemTrayIcon &trayIcon() { return m_trayIcon; }
    frmAbout *versionDialog() const;

signals:
    // The program is to end now; the tray icon is already gone.
    void ended();

private:
    void showTrayIcon();
    void hideEmptyCategories();

    platform::Platform &m_platform;
    CatalogueFile m_file;
    // One program per catalogue file: two that managed the same file would undo each other's
    // edits.
    platform::SingleInstance m_instance;
    Catalogue m_catalogue;
    CatalogueSaver m_saver;
    PopupMenu m_popup;
    QIcon m_picture;
    QSystemTrayIcon m_trayIcon;
    // Destroyed before the popup, which its menu bar shows.
    std::unique_ptr<Form1> m_form1;
    QPointer<frmAbout> m_about;
};
