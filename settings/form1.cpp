#include "settings/form1.h"

#include "catalogue/catalogue.h"
#include "catalogue/editor.h"
#include "dialogs/form2.h"
#include "platform/desktop/display.h"
#include "platform/platform.h"
#include "platform/system/foldertest.h"
#include "presentation/categorynames.h"
#include "settings/categorybox.h"
#include "settings/entrylist.h"
#include "texts.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr quint32 programDialogFlags = 0x201804;

} // namespace

Form1::Form1(const Catalogue &catalogue, CatalogueEditor &editor, QMenu *popupMenu,
             platform::ProgramIcons &icons, const QIcon &picture, platform::Platform &platform)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                               Qt::MSWindowsFixedSizeDialogHint),
      Picture1(picture), m_catalogue(catalogue), m_editor(editor), m_popupMenu(popupMenu),
      m_platform(platform)
{
    CommonDialog1.Filter = texts::programFilter;
    CommonDialog1.Flags = programDialogFlags;
    setWindowTitle(texts::settingsTitle);
    setWindowIcon(Picture1);
    ui.setupUi(this);
    ui.setupMenus(this, popupMenu);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    ui.Combo1->follow(m_catalogue);
    ui.List1->follow(m_catalogue, icons);
    connectControls();

    setAcceptDrops(true);
    for (QObject *target :
         std::initializer_list<QObject *>{this, ui.Text1, ui.Text2, ui.Text3, ui.Text4})
        target->installEventFilter(this);

    // The window shows category 0 to begin with.
    selectCategoryLine(0);
}

Form1::~Form1() = default;

void Form1::connectControls()
{
    connect(ui.mnuCloseWindow, &QAction::triggered, this, &Form1::mnuCloseWindow_Click);
    connect(ui.mnuQuit, &QAction::triggered, this, &Form1::quitRequested);
    connect(ui.mnuAutostart, &QAction::triggered, this, &Form1::mnuAutostart_Click);
    // The check mark shows whether the entry is there, whoever made or removed it.
    connect(ui.mnuMnu, &QMenu::aboutToShow, this,
            [this] { ui.mnuAutostart->setChecked(m_platform.autostart.isEnabled()); });
    connect(ui.mnuVer, &QAction::triggered, this, &Form1::versionRequested);
    connect(ui.mnuHotkey, &QAction::triggered, this, &Form1::hotkeyRequested);
    connect(ui.mnuApplications, &QAction::triggered, this, &Form1::applicationsRequested);
    connect(ui.mnuUndo, &QAction::triggered, this, &Form1::mnuUndo_Click);
    connect(ui.mnuRedo, &QAction::triggered, this, &Form1::mnuRedo_Click);
    const auto showAvailability = [this] {
        ui.mnuUndo->setEnabled(m_editor.canUndo());
        ui.mnuRedo->setEnabled(m_editor.canRedo());
    };
    connect(&m_editor, &CatalogueEditor::availabilityChanged, this, showAvailability);
    showAvailability();

    connect(ui.Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
    connect(ui.List1, &EntryList::rowChosen, this, &Form1::List1_Click);
    const std::pair<QPushButton *, void (Form1::*)()> buttons[] = {
        {ui.Command1, &Form1::Command1_Click}, {ui.Command2, &Form1::Command2_Click},
        {ui.Command3, &Form1::Command3_Click}, {ui.Command4, &Form1::Command4_Click},
        {ui.Command5, &Form1::Command5_Click}, {ui.Command6, &Form1::Command6_Click},
        {ui.Command7, &Form1::Command7_Click}, {ui.Command8, &Form1::Command8_Click},
        {ui.Command9, &Form1::Command9_Click},
    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
}

void Form1::FillEntryList(int c)
{
    ui.List1->showCategory(c);
}

int Form1::selectedRow() const
{
    return ui.List1->selectedRow();
}

void Form1::selectCategoryLine(int line)
{
    ui.Combo1->setCurrentIndex(line);
    Combo1_Click();
}

void Form1::Command9_Click()
{
    if (!m_form2)
        m_form2 = std::make_unique<Form2>(this, ui.Text4, m_platform.messages);
    m_form2->showChooser();
    if (platform::passesFolderTest(ui.Text4->text()))
        m_form2->ui.Text1->setText(ui.Text4->text());
    setEnabled(false);
}

void Form1::closeFolderChooser()
{
    if (m_form2)
        m_form2->hide();
}

void Form1::mnuConfig_Click(const QByteArray &activationToken)
{
    ui.Text3->setText(shownCategoryName(m_catalogue, 0));
    m_currentCategory = 0;
    showEntryFields({});
    FillEntryList(0);
    if (!m_shownBefore) {
        // Centred the first time; afterwards it keeps the place the user left it at.
        adjustSize();
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        m_shownBefore = true;
    }
    platform::bringToFront(this, activationToken);
    m_popupMenu->menuAction()->setVisible(false);
    selectCategoryLine(0);
}

void Form1::showEntry(int c, int k)
{
    Q_ASSERT(Catalogue::isCategory(c) && k >= 1 && k <= m_catalogue.EntryCount(c));
    mnuConfig_Click();
    selectCategoryLine(c);
    ui.List1->selectRowQuietly(k - 1);
    List1_Click();
}

void Form1::mnuAutostart_Click()
{
    if (!m_platform.autostart.setEnabled(ui.mnuAutostart->isChecked()))
        m_platform.messages.show(texts::autostartFailed, texts::autostartTitle);
    ui.mnuAutostart->setChecked(m_platform.autostart.isEnabled());
}

void Form1::mnuCloseWindow_Click()
{
    hide();
}

void Form1::closeEvent(QCloseEvent *event)
{
    hide();
    event->ignore();
    m_editor.save();
}
