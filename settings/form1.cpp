#include "settings/form1.h"

#include "catalogue/catalogue.h"
#include "dialogs/form2.h"
#include "platform/desktopentry.h"
#include "platform/foldertest.h"
#include "platform/platform.h"
#include "platform/programicons.h"
#include "platform/webaddress.h"
#include "settings/categorybox.h"
#include "settings/entrylist.h"
#include "settings/programfields.h"
#include "shell/cataloguesaver.h"
#include "shell/popupmenu.h"
#include "texts.h"

#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

const QString programFilter =
    QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ(*.exe;*.com;*.bat)|*.exe;*.com;*.bat|全てのﾌｧｲﾙ(*.*)|*.*");
constexpr quint32 programDialogFlags = 0x201804;

} // namespace

Form1::Form1(Catalogue &catalogue, const CatalogueSaver &saver, PopupMenu &popup,
             platform::ProgramIcons &icons, const QIcon &picture, platform::Platform &platform)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                               Qt::MSWindowsFixedSizeDialogHint),
      Picture1(picture), m_catalogue(catalogue), m_saver(saver), m_popup(popup), m_icons(icons),
      m_platform(platform)
{
    CommonDialog1.Filter = programFilter;
    CommonDialog1.Flags = programDialogFlags;
    setWindowTitle(QStringLiteral("設定"));
    setWindowIcon(Picture1);
    ui.setupUi(this);

    menuBar()->addMenu(m_popup.mnuPoP());
    mnuMnu = menuBar()->addMenu(QStringLiteral("ﾒﾆｭｰ(&M)"));
    mnuCloseWindow = mnuMnu->addAction(QStringLiteral("このｳｨﾝﾄﾞｳを閉じる(&W)"));
    mnuCloseWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    mnuQuit = mnuMnu->addAction(QStringLiteral("終了(&Q)"));
    mnuQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuAutostart = mnuMnu->addAction(QStringLiteral("ﾛｸﾞｵﾝ時に起動(&L)"));
    mnuAutostart->setCheckable(true);
    mnuMnu->addSeparator();
    mnuVer = mnuMnu->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(mnuCloseWindow, &QAction::triggered, this, &Form1::mnuCloseWindow_Click);
    connect(mnuQuit, &QAction::triggered, this, &Form1::quitRequested);
    connect(mnuAutostart, &QAction::triggered, this, &Form1::mnuAutostart_Click);
    // The check mark shows whether the entry is there, whoever made or removed it.
    connect(mnuMnu, &QMenu::aboutToShow, this,
            [this] { mnuAutostart->setChecked(m_platform.autostart.isEnabled()); });
    connect(mnuVer, &QAction::triggered, this, &Form1::versionRequested);

    connect(ui.Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
    connect(ui.List1, &EntryList::rowChosen, this, &Form1::List1_Click);
    connect(&m_icons, &platform::ProgramIcons::iconsChanged, this, &Form1::showListIcons);
    const std::pair<QPushButton *, void (Form1::*)()> buttons[] = {
        {ui.Command1, &Form1::Command1_Click}, {ui.Command2, &Form1::Command2_Click},
        {ui.Command3, &Form1::Command3_Click}, {ui.Command4, &Form1::Command4_Click},
        {ui.Command5, &Form1::Command5_Click}, {ui.Command6, &Form1::Command6_Click},
        {ui.Command7, &Form1::Command7_Click}, {ui.Command8, &Form1::Command8_Click},
        {ui.Command9, &Form1::Command9_Click},
    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);

    setAcceptDrops(true);
    for (QObject *target :
         std::initializer_list<QObject *>{this, ui.Text1, ui.Text2, ui.Text3, ui.Text4})
        target->installEventFilter(this);

    // Line i of the combo box is category i; the window shows category 0 to begin with.
    ui.Combo1->addItem(texts::uncategorised);
    for (int i = 1; i < Catalogue::CategoryCount; ++i)
        ui.Combo1->addItem(m_catalogue.CategoryName(i));
    selectCategoryLine(0);
}

Form1::~Form1() = default;

void Form1::SaveCatalogue()
{
    m_saver.SaveCatalogue();
}

void Form1::FillEntryList(int c)
{
    ui.List1->clear();
    for (int k = 1; k <= m_catalogue.EntryCount(c); ++k)
        ui.List1->addItem(rowFor(m_catalogue.entry(c, k)));
    ui.List1->selectRowQuietly(-1);
}

QListWidgetItem *Form1::rowFor(const Entry &entry) const
{
    return new QListWidgetItem(m_icons.icon(entry.ProgramPath, entry.WorkFolder), entry.EntryName);
}

void Form1::showEntryInRow(int r)
{
    const Entry &entry = m_catalogue.entry(m_catalogue.CurrentCategory, r + 1);
    ui.List1->item(r)->setText(entry.EntryName);
    ui.List1->item(r)->setIcon(m_icons.icon(entry.ProgramPath, entry.WorkFolder));
}

void Form1::showListIcons()
{
    for (int r = 0; r < ui.List1->count(); ++r)
        showEntryInRow(r);
}

int Form1::selectedRow() const
{
    return ui.List1->selectedRow();
}

int Form1::selectedRowOrRefuse(const QString &title)
{
    const int r = selectedRow();
    if (r < 0)
        m_platform.messages.show(texts::nothingSelected, title);
    return r;
}

void Form1::selectCategoryLine(int line)
{
    ui.Combo1->setCurrentIndex(line);
    Combo1_Click();
}

void Form1::Combo1_Click()
{
    const int i = ui.Combo1->currentIndex();
    if (!Catalogue::isCategory(i))
        return;
    ui.Text3->setText(i == 0 ? texts::uncategorised : m_catalogue.CategoryName(i));
    m_catalogue.CurrentCategory = qint16(i);
    FillEntryList(i);
}

void Form1::List1_Click()
{
    // With no row selected this reads position 0, which is always empty.
    const Entry &entry = m_catalogue.entry(m_catalogue.CurrentCategory, selectedRow() + 1);
    ui.Text1->setText(entry.EntryName);
    ui.Text2->setText(entry.ProgramPath);
    ui.Text4->setText(entry.WorkFolder);
}

void Form1::Command3_Click()
{
    ui.Text1->clear();
    ui.Text2->clear();
    ui.Text4->clear();
}

// The entry fields as an entry, or nothing after the message that refuses them: both name and
// program are required (under "登録" for adding and changing alike), and every text must be
// one the file can hold.
std::optional<Entry> Form1::checkedEntryFields(const QString &title)
{
    const Entry entry{ui.Text1->text(), ui.Text2->text(), ui.Text4->text()};
    if (entry.EntryName.isEmpty() || entry.ProgramPath.isEmpty()) {
        m_platform.messages.show(texts::fieldsEmpty, texts::registerTitle);
        return std::nullopt;
    }
    for (const QString *text : {&entry.EntryName, &entry.ProgramPath, &entry.WorkFolder}) {
        if (!Catalogue::isStorableText(*text)) {
            m_platform.messages.show(texts::unusableCharacters, title);
            return std::nullopt;
        }
    }
    return entry;
}

void Form1::moveSelectedEntry(int step)
{
    const int r = selectedRow();
    const int p = r + step;
    if (r < 0 || p < 0 || p >= ui.List1->count())
        return;
    const int c = m_catalogue.CurrentCategory;

    m_catalogue.swap(c, r + 1, p + 1);
    for (const int row : {r, p}) {
        showEntryInRow(row);
        m_popup.showEntry(c, row + 1);
    }

    ui.List1->selectRowQuietly(p);
    List1_Click();
    SaveCatalogue();
}

void Form1::Command1_Click()
{
    moveSelectedEntry(-1);
}

void Form1::Command8_Click()
{
    moveSelectedEntry(+1);
}

void Form1::Command7_Click()
{
    const int c = m_catalogue.CurrentCategory;
    if (m_catalogue.isFull(c)) {
        m_platform.messages.show(texts::catalogueFull, texts::registerTitle);
        return;
    }
    const auto entry = checkedEntryFields(texts::registerTitle);
    if (!entry)
        return;

    if (c != 0)
        m_popup.setHeaderVisible(c, true);
    m_catalogue.append(c, *entry);
    ui.List1->addItem(rowFor(*entry));
    m_popup.AppendMenuItem(c);
    SaveCatalogue();
}

void Form1::Command6_Click()
{
    const int r = selectedRowOrRefuse(texts::changeTitle);
    if (r < 0)
        return;
    const auto entry = checkedEntryFields(texts::changeTitle);
    if (!entry)
        return;

    const int c = m_catalogue.CurrentCategory;
    const int k = r + 1;
    m_catalogue.replace(c, k, *entry);
    ui.List1->replaceRow(r, rowFor(*entry));
    m_popup.showEntry(c, k);
    SaveCatalogue();
}

void Form1::Command4_Click()
{
    const int r = selectedRowOrRefuse(texts::deleteTitle);
    if (r < 0)
        return;
    const int c = m_catalogue.CurrentCategory;
    const int k = r + 1;
    m_catalogue.remove(c, k);
    const int n = m_catalogue.EntryCount(c);
    for (int i = k; i <= n; ++i)
        m_popup.showEntry(c, i);
    if (n == 0) {
        // The placeholder comes back before the last item goes: a submenu is never empty.
        m_popup.setHeaderVisible(c, false);
        m_popup.setPlaceholderVisible(c, c != 0);
    }
    m_popup.removeLastItem(c);
    ui.List1->removeRow(r);
    SaveCatalogue();
}

void Form1::Command2_Click()
{
    const int c = m_catalogue.CurrentCategory;
    if (c == 0) {
        m_platform.messages.show(texts::cannotChange, texts::renameTitle);
        return;
    }
    const QString name = ui.Text3->text();
    if (!Catalogue::isStorableText(name)) {
        m_platform.messages.show(texts::unusableCharacters, texts::renameTitle);
        return;
    }
    m_catalogue.rename(c, name);
    m_popup.setHeaderCaption(c, name);
    SaveCatalogue();
    ui.Combo1->setItemText(c, name);
}

void Form1::Command5_Click()
{
    const auto path =
        m_platform.fileDialog.showOpen(this, CommonDialog1.Filter, CommonDialog1.Flags);
    if (path)
        fillFromFile(*path);
}

// A program file fills the program field, and the name and folder fields where they are empty;
// a desktop entry fills all three with its name, its command and its working folder.
void Form1::fillFromFile(const QString &path)
{
    if (path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive)) {
        const auto entry = platform::readDesktopEntry(path);
        if (!entry) {
            m_platform.messages.show(path + texts::crlf + texts::desktopEntryUnusable,
                                     texts::fileErrorTitle);
            return;
        }
        ui.Text1->setText(entry->name);
        ui.Text2->setText(entry->exec.join(u' '));
        ui.Text4->setText(entry->path);
        return;
    }
    ui.Text2->setText(path);
    const ProgramFields filled = fillFromProgramPath(path, {ui.Text1->text(), ui.Text4->text()});
    ui.Text4->setText(filled.workFolder);
    ui.Text1->setText(filled.entryName);
}

// Dropped on the window: a file as "参照" takes it, a web address into the program field with
// its host as the name when the name is empty. Nothing is added until "追加".
void Form1::Form_OLEDragDrop(const QMimeData &data)
{
    const QUrl url = data.urls().value(0);
    if (url.isLocalFile()) {
        fillFromFile(QDir::toNativeSeparators(url.toLocalFile()));
        return;
    }
    const QString address = url.toString();
    if (!platform::isWebAddress(address))
        return;
    ui.Text2->setText(address);
    if (ui.Text1->text().isEmpty())
        ui.Text1->setText(url.host().isEmpty() ? url.path() : url.host());
}

// Files and addresses dropped on the window or on its text fields, which would take them as
// text, are the window's; dropped text stays the fields'.
bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!drop->mimeData()->hasUrls())
            break;
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            Form_OLEDragDrop(*drop->mimeData());
        return true;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
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

void Form1::mnuConfig_Click()
{
    ui.Text3->setText(texts::uncategorised);
    m_catalogue.CurrentCategory = 0;
    ui.Text4->clear();
    ui.Text2->clear();
    ui.Text1->clear();
    FillEntryList(0);
    if (!m_shownBefore) {
        // Centred the first time; afterwards it keeps the place the user left it at.
        adjustSize();
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        m_shownBefore = true;
    }
    show();
    raise();
    activateWindow();
    m_popup.mnuPoP()->menuAction()->setVisible(false);
    selectCategoryLine(0);
}

void Form1::mnuAutostart_Click()
{
    if (!m_platform.autostart.setEnabled(mnuAutostart->isChecked()))
        m_platform.messages.show(texts::autostartFailed, texts::autostartTitle);
    mnuAutostart->setChecked(m_platform.autostart.isEnabled());
}

void Form1::mnuCloseWindow_Click()
{
    hide();
}

void Form1::closeEvent(QCloseEvent *event)
{
    hide();
    event->ignore();
    SaveCatalogue();
}
