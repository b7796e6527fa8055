#include "shell/trayapplication.h"

#include "application.h"
#include "dialogs/frmabout.h"
#include "dialogs/hotkeydialog.h"
#include "platform/desktop/display.h"
#include "platform/desktop/panels.h"
#include "platform/platform.h"
#include "presentation/refusals.h"
#include "programicon.h"
#include "settings/applicationpicker.h"
#include "settings/form1.h"
#include "shell/cataloguelocation.h"
#include "shell/launcher.h"
#include "shell/popupplacement.h"
#include "shell/searchwindow.h"
#include "texts.h"

#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {
constexpr std::chrono::milliseconds popupPreparationDelay{250};
constexpr std::chrono::milliseconds iconLookupDelay{300};
constexpr std::chrono::milliseconds deactivationWait{500};
} // namespace

TrayApplication::TrayApplication(const QString &executablePath, platform::Platform &platform)
    : m_platform(platform), m_file(catalogueFolder(executablePath)), m_instance(m_file.path()),
      m_saver(m_catalogue, m_file, platform.messages),
      m_editor(m_catalogue, [this] { m_saver.SaveCatalogue(); }), m_watcher(m_file, m_editor),
      m_uses(QFileInfo(m_file.path()).path()),
      m_readings(m_catalogue, readingsCacheFile(m_file.path())),
      m_applications(platform::applicationFolders(), platform::currentDesktops(),
                     [](const QString &folder) {
                         return texts::tooManyDesktopEntries(folder, platform::maxEntriesPerFolder);
                     }),
      m_preferences(QFileInfo(m_file.path()).path()),
      m_hotkey(QStringLiteral("search"), texts::hotkeyDescription), m_popup(m_catalogue, m_icons),
      m_trayIcon(m_popup.mnuPoP(), QString::fromLatin1(quorvel::ApplicationTitle), texts::noTray)
{
    for (const quorvel::ProgramIconPicture &picture : quorvel::ProgramIconPictures) {
        m_picture.addPixmap(QPixmap::fromImage(
            QImage(picture.rgba, picture.size, picture.size, QImage::Format_RGBA8888)));
    }

    connect(&m_popup, &PopupMenu::itemChosen, this, &TrayApplication::mnuMenu_Click);
    connect(m_popup.mnuConfig, &QAction::triggered, this, &TrayApplication::mnuConfig_Click);
    connect(m_popup.mnuVersion, &QAction::triggered, this, &TrayApplication::mnuVersion_Click);
    connect(m_popup.mnuPop_End, &QAction::triggered, this, &TrayApplication::mnuPop_End_Click);

    connect(&m_trayIcon, &platform::TrayIcon::menuRequested, this,
            &TrayApplication::CtlSysTray1_Click);
    connect(&m_trayIcon, &platform::TrayIcon::openRequested, this,
            [this](const QByteArray &token) { form1().mnuConfig_Click(token); });
    connect(&m_trayIcon, &platform::TrayIcon::secondaryActivated, this,
            &TrayApplication::openSearch);
    connect(&m_hotkey, &platform::GlobalHotkey::pressed, this, &TrayApplication::openSearch);
    // Their names written in kanji are found by their readings too.
    connect(&m_applications, &platform::InstalledApplications::changed, this, [this] {
        QStringList names;
        for (const platform::Application &application : m_applications.applications()) {
            names << application.entry.name << application.entry.genericName;
            for (const platform::DesktopAction &action : application.entry.actions)
                names << action.name;
        }
        // Kept while the program runs: each name once (every application's actions have alike
        // names), without room to spare.
        names.removeDuplicates();
        names.squeeze();
        m_readings.setOtherNames(names);
    });
    connect(&m_instance, &platform::SingleInstance::requested, this,
            [this](const QByteArray &message) {
                const auto [request, token] = decodeStartRequest(message);
                // A plain start shows the settings window, so that a start always shows
                // something.
                if (request == StartRequest::Plain)
                    form1().mnuConfig_Click(token);
                else
                    carryOut(request, token);
            });
}

TrayApplication::~TrayApplication() = default;

TrayApplication::StartResult TrayApplication::Form_Load(StartRequest request)
{
    if (!m_instance.tryAcquire()) {
        m_instance.askRunningCopy(encodeStartRequest(request, platform::startActivationToken()));
        return StartResult::AlreadyRunning;
    }
    m_file.removeLeftovers();

    // The icon is shown once the file is known to be good, so that the tray host docks it
    // while the menu is being built: no click reaches the menu before it is complete.
    switch (m_file.LoadCatalogue(m_catalogue, [this] { showTrayIcon(); })) {
    case LoadResult::Read:
    case LoadResult::Created:
        break;
    case LoadResult::OpenFailed:
        m_platform.messages.show(texts::fileOpenError, texts::fileOpenErrorTitle);
        return StartResult::Failed;
    case LoadResult::VersionFailed:
        m_platform.messages.show(texts::versionError, texts::versionErrorTitle);
        return StartResult::Failed;
    }
    m_editor.forgetHistory(); // undo goes back to the list as it was loaded, no further
    m_instance.listenForLaterStarts();
    // The first look needs no fonts, the first click does: they are loaded a moment after the
    // icon is docked, well before a user's hand reaches it.
    QTimer::singleShot(popupPreparationDelay, &m_popup, &PopupMenu::prepareFirstPopup);
    QTimer::singleShot(iconLookupDelay, &m_icons, &platform::ProgramIcons::start);
    // Off the start-up path too: an edit made before then is still kept by the next save.
    QTimer::singleShot(iconLookupDelay, &m_watcher, &CatalogueWatcher::start);
    QTimer::singleShot(iconLookupDelay, this, [this] { m_hotkey.setKey(m_preferences.hotkey()); });
    QTimer::singleShot(iconLookupDelay, &m_readings, &NameReader::start);
    carryOut(request, platform::startActivationToken());
    return StartResult::Running;
}

void TrayApplication::carryOut(StartRequest request, const QByteArray &activationToken)
{
    switch (request) {
    case StartRequest::Plain:
        break;
    case StartRequest::Search:
        openSearch(activationToken);
        break;
    case StartRequest::Popup:
        // Where no menu can be placed, the keyboard's way in instead.
        if (platform::canPlaceMenus())
            CtlSysTray1_Click(QCursor::pos());
        else
            openSearch(activationToken);
        break;
    }
}

void TrayApplication::showTrayIcon()
{
    m_trayIcon.setIcon(m_picture);
    m_trayIcon.setToolTip(QString::fromLatin1(quorvel::ApplicationTitle));
    m_trayIcon.show();
}

Form1 &TrayApplication::form1()
{
    if (!m_form1) {
        m_form1 = std::make_unique<Form1>(m_catalogue, m_editor, m_popup.mnuPoP(), m_icons,
                                          m_picture, m_platform);
        connect(m_form1.get(), &Form1::versionRequested, this, &TrayApplication::mnuVersion_Click);
        connect(m_form1.get(), &Form1::quitRequested, this, &TrayApplication::mnuPop_End_Click);
        connect(m_form1.get(), &Form1::hotkeyRequested, this, &TrayApplication::mnuHotkey_Click);
        connect(m_form1.get(), &Form1::applicationsRequested, this,
                [this] { mnuApplications_Click(); });
    }
    return *m_form1;
}

SearchWindow &TrayApplication::searchWindow()
{
    if (!m_search) {
        m_search = std::make_unique<SearchWindow>(m_catalogue, m_readings, m_applications, m_icons,
                                                  m_uses, m_picture);
        connect(m_search.get(), &SearchWindow::entryChosen, this, &TrayApplication::mnuMenu_Click);
        connect(m_search.get(), &SearchWindow::applicationChosen, this, &TrayApplication::launch);
        connect(m_search.get(), &SearchWindow::applicationAddRequested, this,
                &TrayApplication::addApplication);
        connect(m_search.get(), &SearchWindow::entryEditRequested, this,
                &TrayApplication::editEntry);
        connect(m_search.get(), &SearchWindow::applicationEditRequested, this,
                &TrayApplication::mnuApplications_Click);
        connect(m_search.get(), &SearchWindow::commandLineTyped, this,
                &TrayApplication::startCommandLine);
    }
    return *m_search;
}

void TrayApplication::openSearch(const QByteArray &activationToken)
{
    searchWindow().open(activationToken);
}

void TrayApplication::mnuHotkey_Click()
{
    HotkeyDialog dialog(m_hotkey, &form1());
    if (dialog.exec() == QDialog::Accepted && !m_preferences.setHotkey(dialog.chosenKey()))
        m_platform.messages.show(texts::hotkeyNotSaved, texts::hotkeyTitle);
}

void TrayApplication::mnuApplications_Click(const QString &ticked)
{
    ApplicationPicker picker(
        m_editor, form1().CurrentCategory(), m_applications,
        [this](const QString &name) { return m_readings.readingsOf(name); }, m_platform.messages,
        &form1());
    // Opened before anything else needed them, the applications' readings come a moment later.
    connect(&m_readings, &NameReader::readingsChanged, &picker, &ApplicationPicker::prepareKeys);
    if (!ticked.isEmpty())
        picker.tick(ticked);
    picker.exec();
}

// A row of the search window is rebuilt at every change of the list, so the entry is there;
// should it not be, nothing is shown rather than another entry.
void TrayApplication::editEntry(int category, int index)
{
    if (Catalogue::isCategory(category) && index >= 1 && index <= m_catalogue.EntryCount(category))
        form1().showEntry(category, index);
}

// As 起動プログラム would start it, from the home folder; it counts as no entry's use.
void TrayApplication::startCommandLine(const QString &commandLine)
{
    launchEntry({{}, commandLine, QDir::homePath()}, m_platform.processes, m_platform.messages);
}

void TrayApplication::addApplication(const Entry &entry)
{
    tellRefusal(m_platform.messages, m_editor.addEntry(0, entry), texts::registerTitle);
}

void TrayApplication::CtlSysTray1_Click(QPoint at)
{
    // A window of ours just put away (the search window, by Esc or a click on the icon) leaves
    // the program active for a moment, and the deactivation that follows closes any menu open
    // by then: the menu waits for it, briefly.
    if (const QWindow *focus = QGuiApplication::focusWindow(); focus && !focus->isVisible()) {
        auto *waiting = new QObject(this);
        const auto popUp = [this, at, waiting] {
            delete waiting; // ends both waits
            popUpMenu(at);
        };
        connect(qApp, &QGuiApplication::applicationStateChanged, waiting, popUp);
        QTimer::singleShot(deactivationWait, waiting, popUp);
        return;
    }
    popUpMenu(at);
}

void TrayApplication::popUpMenu(QPoint at)
{
    QList<ScreenArea> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append({screen->geometry(), screen->availableGeometry()});
    // Some window managers leave panels in the work area: there, and only there, the one
    // clicked on is looked up and left out.
    if (std::any_of(screens.begin(), screens.end(),
                    [](const ScreenArea &area) { return area.workArea == area.geometry; })) {
        if (const std::optional<QRect> panel = platform::panelUnderPointer()) {
            for (ScreenArea &area : screens)
                area.workArea = workAreaWithout(area, *panel);
        }
    }
    m_popup.mnuPoP()->popup(popupPosition(at, QCursor::pos(), m_popup.sizeAsShown(), screens));
}

void TrayApplication::mnuMenu_Click(int category, int Index)
{
    launch(m_catalogue.entry(category, Index));
}

// An entry of the list, or an installed application as the entry it would be.
void TrayApplication::launch(const Entry &entry)
{
    if (!launchEntry(entry, m_platform.processes, m_platform.messages))
        return;
    QList<Entry> installed;
    for (const platform::Application &application : m_applications.applications()) {
        if (const auto asEntry = entryOf(application))
            installed.append(*asEntry);
        for (const platform::DesktopAction &action : application.entry.actions) {
            if (const auto asEntry = entryOf(application, action))
                installed.append(*asEntry);
        }
    }
    m_uses.recordLaunch(entry, m_catalogue, QDateTime::currentSecsSinceEpoch(), installed);
}

void TrayApplication::mnuConfig_Click()
{
    form1().mnuConfig_Click();
}

void TrayApplication::mnuVersion_Click()
{
    if (!m_about) {
        m_about = std::make_unique<frmAbout>(m_platform);
        // "OK" gives the settings window its input back, whatever disabled it.
        connect(m_about.get(), &QDialog::accepted, this, [this] {
            if (m_form1)
                m_form1->setEnabled(true);
            // Unloaded once closed, as the program always did; not from inside its own signal.
            m_about.release()->deleteLater();
        });
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void TrayApplication::mnuPop_End_Click()
{
    if (m_form1) {
        m_form1->close(); // hides the window and saves; the close itself is refused
        m_form1->closeFolderChooser();
    } else {
        m_editor.save(); // all that closing a window never built would do
    }
    m_about.reset();
    if (m_search)
        m_search->hide();
    m_trayIcon.hide();
    // Whatever the folders hold, the end does not wait for them to be read.
    m_readings.cancel();
    m_applications.cancel();
    emit ended();
}

frmAbout *TrayApplication::versionDialog() const
{
    return m_about.get();
}
