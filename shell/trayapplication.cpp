#include "shell/trayapplication.h"

#include "application.h"
#include "dialogs/frmabout.h"
#include "platform/platform.h"
#include "programicon.h"
#include "settings/form1.h"
#include "shell/cataloguelocation.h"
#include "shell/launcher.h"
#include "texts.h"

#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QTimer>

namespace {
constexpr std::chrono::milliseconds popupPreparationDelay{250};
constexpr std::chrono::milliseconds iconLookupDelay{300};
} // namespace

TrayApplication::TrayApplication(const QString &executablePath, platform::Platform &platform)
    : m_platform(platform), m_file(catalogueFolder(executablePath)), m_instance(m_file.path()),
      m_saver(m_catalogue, m_file, platform.messages), m_watcher(m_file, m_catalogue),
      m_popup(m_catalogue, m_icons),
      m_trayIcon(m_popup.mnuPoP(), QString::fromLatin1(quorvel::ApplicationTitle), texts::noTray)
{
    const QImage picture(quorvel::ProgramIconRgba, quorvel::ProgramIconSize,
                         quorvel::ProgramIconSize, QImage::Format_RGBA8888);
    m_picture = QIcon(QPixmap::fromImage(picture));

    connect(&m_popup, &PopupMenu::itemChosen, this, &TrayApplication::mnuMenu_Click);
    connect(m_popup.mnuConfig, &QAction::triggered, this, &TrayApplication::mnuConfig_Click);
    connect(m_popup.mnuVersion, &QAction::triggered, this, &TrayApplication::mnuVersion_Click);
    connect(m_popup.mnuPop_End, &QAction::triggered, this, &TrayApplication::mnuPop_End_Click);

    connect(&m_trayIcon, &platform::TrayIcon::menuRequested, this,
            &TrayApplication::CtlSysTray1_Click);
    connect(&m_trayIcon, &platform::TrayIcon::openRequested, this,
            &TrayApplication::mnuConfig_Click);
    connect(&m_instance, &platform::SingleInstance::showRequested, this,
            &TrayApplication::mnuConfig_Click);
}

TrayApplication::~TrayApplication()
{
    delete m_about;
}

TrayApplication::StartResult TrayApplication::Form_Load()
{
    if (!m_instance.tryAcquire()) {
        // The running copy opens its settings window, so that a start always shows something.
        m_instance.askRunningCopyToShow();
        return StartResult::AlreadyRunning;
    }
    m_file.removeLeftovers();

    m_catalogue.CurrentCategory = 0;
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
    m_instance.listenForLaterStarts();
    // The first look needs no fonts, the first click does: they are loaded a moment after the
    // icon is docked, well before a user's hand reaches it.
    QTimer::singleShot(popupPreparationDelay, &m_popup, &PopupMenu::prepareFirstPopup);
    QTimer::singleShot(iconLookupDelay, &m_icons, &platform::ProgramIcons::start);
    // Off the start-up path too: an edit made before then is still kept by the next save.
    QTimer::singleShot(iconLookupDelay, &m_watcher, &CatalogueWatcher::start);
    return StartResult::Running;
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
        m_form1 = std::make_unique<Form1>(m_catalogue, m_saver, m_popup.mnuPoP(), m_icons,
                                          m_picture, m_platform);
        connect(m_form1.get(), &Form1::versionRequested, this, &TrayApplication::mnuVersion_Click);
        connect(m_form1.get(), &Form1::quitRequested, this, &TrayApplication::mnuPop_End_Click);
    }
    return *m_form1;
}

void TrayApplication::CtlSysTray1_Click(QPoint at)
{
    m_popup.mnuPoP()->popup(at);
}

void TrayApplication::mnuMenu_Click(int category, int Index)
{
    launchEntry(m_catalogue.entry(category, Index), m_platform.processes, m_platform.messages);
}

void TrayApplication::mnuConfig_Click()
{
    form1().mnuConfig_Click();
}

void TrayApplication::mnuVersion_Click()
{
    if (!m_about) {
        m_about = new frmAbout(m_platform);
        // "OK" gives the settings window its input back, whatever disabled it.
        connect(m_about, &QDialog::accepted, this, [this] {
            if (m_form1)
                m_form1->setEnabled(true);
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
        m_saver.SaveCatalogue(); // all that closing a window never built would do
    }
    delete m_about;
    m_trayIcon.hide();
    emit ended();
}

frmAbout *TrayApplication::versionDialog() const
{
    return m_about;
}
