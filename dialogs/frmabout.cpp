#include "dialogs/frmabout.h"

#include "application.h"
#include "dialogs/sysinfo.h"
#include "dialogs/twips.h"
#include "platform/platform.h"
#include "texts.h"

#include <QLabel>
#include <QPushButton>

// The dialog's picture lives in a static library, where nothing else would pull it in.
static void loadResources()
{
    Q_INIT_RESOURCE(quorvel);
}

namespace {

#ifdef Q_OS_WIN
constexpr char trayLibrary[] = "Qt6Widgets.dll";
#else
constexpr char trayLibrary[] = "libQt6Widgets.so.6";
#endif

} // namespace

frmAbout::frmAbout(platform::Platform &platform)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_platform(platform)
{
    loadResources();
    setWindowTitle(texts::versionTitle);
    setFixedSize(twipsToPixels(5145), twipsToPixels(2820));
    move(twipsToPixels(2340), twipsToPixels(1935));

    ui.cmdOK = new QPushButton(texts::okButton, this);
    ui.picIcon = new QLabel(this);
    ui.cmdSysInfo = new QPushButton(texts::sysInfoButton, this);
    ui.lblDescription = new QLabel(this);
    ui.lblTitle = new QLabel(this);
    ui.lblVersion = new QLabel(texts::versionLabel, this);

    ui.picIcon->setPixmap(QPixmap(QStringLiteral(":/about.png")));
    ui.picIcon->setGeometry(twipsRect(240, 240, 540, 540));
    ui.picIcon->adjustSize();
    ui.lblTitle->setGeometry(twipsRect(1050, 240, 3885, 480));
    ui.lblVersion->setGeometry(twipsRect(1050, 780, 3885, 225));
    ui.lblDescription->setGeometry(twipsRect(1050, 1125, 3885, 1170));
    ui.lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui.lblDescription->setWordWrap(true);
    ui.cmdOK->setGeometry(twipsRect(2280, 2400, 1310, 345));
    ui.cmdSysInfo->setGeometry(twipsRect(3720, 2400, 1310, 345));
    QFont titleFont = ui.lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    ui.lblTitle->setFont(titleFont);

    ui.cmdOK->setDefault(true);
    ui.cmdOK->setFocus();
    setTabOrder(ui.cmdOK, ui.cmdSysInfo);

    connect(ui.cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(ui.cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

QString frmAbout::versionText()
{
    return texts::versionOf(quorvel::VersionMajor, quorvel::VersionMinor, quorvel::VersionRevision);
}

QString frmAbout::descriptionText()
{
    return texts::trayCredit(QLatin1String(trayLibrary)) + texts::crlf + texts::crlf +
           texts::noWarranty;
}

void frmAbout::Form_Load()
{
    const QString title = QString::fromLatin1(quorvel::ApplicationTitle);
    setWindowTitle(texts::versionTitleOf(title));
    ui.lblTitle->setText(title);
    ui.lblVersion->setText(versionText());
    // The label breaks lines at LF; CR would show as a stray glyph.
    ui.lblDescription->setText(
        QString(descriptionText()).replace(texts::crlf, QStringLiteral("\n")));
}

void frmAbout::cmdOK_Click()
{
    done(QDialog::Accepted); // closes it; whoever opened it unloads it then
}

// Esc and the frame's close button act as "OK".
void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo(m_platform.registry, m_platform.processes, m_platform.messages);
}
