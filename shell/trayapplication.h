#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/cataloguewatcher.h"
#include "platform/desktop/programicons.h"
#include "platform/system/singleinstance.h"
#include "platform/tray/trayicon.h"
#include "settings/cataloguesaver.h"
#include "shell/popupmenu.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QPointer>
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

    // A click on the icon that asks for the menu, at the pointer or where the desktop says.
    void CtlSysTray1_Click(QPoint at);
    void mnuMenu_Click(int category, int Index);
    void mnuConfig_Click();
    void mnuVersion_Click();
    void mnuPop_End_Click();

    Catalogue &catalogue() { return m_catalogue; }
    PopupMenu &popup() { return m_popup; }
    platform::ProgramIcons &programIcons() { return m_icons; }
    // The settings window: built the first time it is needed, then kept for the whole run.
    Form1 &form1();
    bool settingsWindowBuilt() const { return m_form1 != nullptr; }
    platform::TrayIcon &trayIcon() { return m_trayIcon; }
    frmAbout *versionDialog() const;

signals:
    // The program is to end now; the tray icon is already gone.
    void ended();

private:
    void showTrayIcon();

    platform::Platform &m_platform;
    CatalogueFile m_file;
    // One program per catalogue file: two that managed the same file would undo each other's
    // edits.
    platform::SingleInstance m_instance;
    Catalogue m_catalogue;
    CatalogueSaver m_saver;
    CatalogueWatcher m_watcher;
    platform::ProgramIcons m_icons;
    PopupMenu m_popup;
    QIcon m_picture;
    platform::TrayIcon m_trayIcon;
    // Destroyed before the popup, which its menu bar shows.
    std::unique_ptr<Form1> m_form1;
    QPointer<frmAbout> m_about;
};
