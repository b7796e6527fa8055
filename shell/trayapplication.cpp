#include "shell/trayapplication.h"

#include "dialogs/frmabout.h"
#include "platform/platform.h"
#include "settings/categorybox.h"
#include "settings/form1.h"
#include "shell/launcher.h"
#include "texts.h"
#include "version.h"

#include <QCursor>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

namespace {

const QString programFilter =
    QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ(*.exe;*.com;*.bat)|*.exe;*.com;*.bat|全てのﾌｧｲﾙ(*.*)|*.*");
constexpr quint32 programDialogFlags = 0x201804;

} // namespace

TrayApplication::TrayApplication(const QString &executablePath, platform::Platform &platform)
    : m_platform(platform), m_file(QFileInfo(executablePath).absolutePath()),
      m_instance(m_file.path()),
      m_form1(std::make_unique<Form1>(m_catalogue, m_file, m_popup, platform))
{
    connect(&m_popup, &PopupMenu::itemChosen, this, &TrayApplication::mnuMenu_Click);
    connect(m_popup.mnuConfig, &QAction::triggered, m_form1.get(), &Form1::mnuConfig_Click);
    connect(m_popup.mnuVersion, &QAction::triggered, this, &TrayApplication::mnuVersion_Click);
    connect(m_popup.mnuPop_End, &QAction::triggered, this, &TrayApplication::mnuPop_End_Click);
    connect(m_form1.get(), &Form1::versionRequested, this, &TrayApplication::mnuVersion_Click);
    connect(m_form1.get(), &Form1::quitRequested, this, &TrayApplication::mnuPop_End_Click);

    // A right click shows the context menu by itself; a left click pops up the same menu.
    m_trayIcon.setContextMenu(m_popup.mnuPoP());
    connect(&m_trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    CtlSysTray1_Click();
            });
}

TrayApplication::~TrayApplication()
{
    delete m_about;
}

TrayApplication::StartResult TrayApplication::Form_Load()
{
    if (!m_instance.tryAcquire())
        return StartResult::AlreadyRunning;
    m_file.removeLeftovers();

    m_form1->CommonDialog1.Filter = programFilter;
    m_form1->CommonDialog1.Flags = programDialogFlags;
    m_catalogue.CurrentCategory = 0;
    m_form1->ui.Combo1->addItem(texts::uncategorised);
    m_form1->selectCategoryLine(0);

    const LoadNotifications notify{
        [this](int i) {
            m_form1->ui.Combo1->addItem(m_catalogue.CategoryName(i));
            m_popup.setHeaderCaption(i, m_catalogue.CategoryName(i));
        },
        [this](int c) { m_popup.AppendMenuItem(c, m_catalogue); },
    };
    switch (m_file.LoadCatalogue(m_catalogue, notify)) {
    case LoadResult::Read:
        m_form1->FillEntryList(0);
        break;
    case LoadResult::Created:
        break;
    case LoadResult::OpenFailed:
        m_platform.messages.show(texts::fileOpenError, texts::fileOpenErrorTitle);
        return StartResult::Failed;
    case LoadResult::VersionFailed:
        m_platform.messages.show(texts::versionError, texts::versionErrorTitle);
        return StartResult::Failed;
    }

    m_form1->ui.Text3->setText(texts::uncategorised);
    hideEmptyCategories();

    m_trayIcon.setIcon(m_form1->Picture1);
    m_trayIcon.setToolTip(QString::fromLatin1(quorvel::ApplicationTitle));
    m_trayIcon.show();
    return StartResult::Running;
}

void TrayApplication::hideEmptyCategories()
{
    for (int i = 1; i < Catalogue::CategoryCount; ++i) {
        if (m_catalogue.EntryCount(i) == 0)
            m_popup.setHeaderVisible(i, false);
    }
    if (m_catalogue.EntryCount(0) == 0)
        m_popup.setPlaceholderVisible(0, false);
}

void TrayApplication::CtlSysTray1_Click()
{
    m_popup.mnuPoP()->popup(QCursor::pos());
}

void TrayApplication::mnuMenu_Click(int category, int Index)
{
    launchEntry(m_catalogue.entry(category, Index), m_platform.processes, m_platform.messages);
}

void TrayApplication::mnuVersion_Click()
{
    if (!m_about)
        m_about = new frmAbout(m_form1.get(), m_platform);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void TrayApplication::mnuPop_End_Click()
{
    m_form1->close(); // hides the window and saves; the close itself is refused
    delete m_about;
    m_form1->closeFolderChooser();
    m_trayIcon.hide();
    emit ended();
}

frmAbout *TrayApplication::versionDialog() const
{
    return m_about;
}
