#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/cataloguewatcher.h"
#include "catalogue/editor.h"
#include "catalogue/usehistory.h"
#include "platform/desktop/globalhotkey.h"
#include "platform/desktop/installedapplications.h"
#include "platform/desktop/programicons.h"
#include "platform/system/singleinstance.h"
#include "platform/tray/trayicon.h"
#include "presentation/cataloguesaver.h"
#include "shell/commandline.h"
#include "shell/namereader.h"
#include "shell/popupmenu.h"
#include "shell/preferences.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <memory>

class Form1;
class frmAbout;
class SearchWindow;

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

    // request: what the command line asked for; a copy already running is asked to do it.
    StartResult Form_Load(StartRequest request = StartRequest::Plain);

    // A click on the icon that asks for the menu, at the pointer or where the desktop says,
    // beside the icon and never over a panel.
    void CtlSysTray1_Click(QPoint at);
    void mnuMenu_Click(int category, int Index);
    void mnuConfig_Click();
    void mnuVersion_Click();
    void mnuPop_End_Click();
    void mnuHotkey_Click();
    // ticked: the row (rowIdOf) to tick and show, if any.
    void mnuApplications_Click(const QString &ticked = {});
    // The hotkey, --search or a middle click on the icon.
    void openSearch(const QByteArray &activationToken = {});

    const Catalogue &catalogue() const { return m_catalogue; }
    CatalogueEditor &editor() { return m_editor; }
    platform::InstalledApplications &applications() { return m_applications; }
    PopupMenu &popup() { return m_popup; }
    // The settings window: built the first time it is needed, then kept for the whole run.
    Form1 &form1();
    bool settingsWindowBuilt() const { return m_form1 != nullptr; }
    platform::TrayIcon &trayIcon() { return m_trayIcon; }
    platform::GlobalHotkey &hotkey() { return m_hotkey; }
    // Built the first time it is asked for.
    SearchWindow &searchWindow();
    bool searchWindowBuilt() const { return m_search != nullptr; }
    frmAbout *versionDialog() const;

signals:
    // The program is to end now; the tray icon is already gone.
    void ended();

private:
    void showTrayIcon();
    void popUpMenu(QPoint at);
    void carryOut(StartRequest request, const QByteArray &activationToken);
    void launch(const Entry &entry);
    void addApplication(const Entry &entry);
    void editEntry(int category, int index);
    void startCommandLine(const QString &commandLine);

    platform::Platform &m_platform;
    CatalogueFile m_file;
    // One program per catalogue file: two that managed the same file would undo each other's
    // edits.
    platform::SingleInstance m_instance;
    Catalogue m_catalogue;
    CatalogueSaver m_saver;
    CatalogueEditor m_editor;
    CatalogueWatcher m_watcher;
    UseHistory m_uses;
    NameReader m_readings;
    platform::InstalledApplications m_applications;
    Preferences m_preferences;
    platform::GlobalHotkey m_hotkey;
    platform::ProgramIcons m_icons;
    PopupMenu m_popup;
    QIcon m_picture;
    platform::TrayIcon m_trayIcon;
    // Destroyed before the popup, which its menu bar shows.
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<SearchWindow> m_search;
    std::unique_ptr<frmAbout> m_about;
};
