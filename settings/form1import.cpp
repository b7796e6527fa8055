// Filling the settings window's fields from a chosen or dropped file, a desktop entry or a web
// address (nothing is added until "追加"), and what the fields leave to the window.
#include "catalogue/catalogue.h"
#include "platform/desktop/desktopentry.h"
#include "platform/platform.h"
#include "platform/system/webaddress.h"
#include "settings/form1.h"
#include "settings/programfields.h"
#include "texts.h"

#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

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
        const auto commandLine = entry ? platform::commandLineOf(*entry) : std::nullopt;
        if (!commandLine) {
            m_platform.messages.show(path + texts::crlf + texts::desktopEntryUnusable,
                                     texts::fileErrorTitle);
            return;
        }
        showEntryFields({entry->name, *commandLine, entry->path});
        return;
    }
    ui.Text2->setText(path);
    const ProgramFields filled = fillFromProgramPath(path, {ui.Text1->text(), ui.Text4->text()});
    ui.Text4->setText(filled.workFolder);
    ui.Text1->setText(filled.entryName);
}

// Dropped on the window: a file as "参照" takes it, a web address into the program field with
// its host as the name when the name is empty.
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
    case QEvent::ShortcutOverride:
        // Left to the window's undo and redo unless the field has typing of its own to undo.
        if (!fieldTakesShortcut(watched, *static_cast<QKeyEvent *>(event))) {
            event->ignore();
            return true;
        }
        break;
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

bool Form1::fieldTakesShortcut(QObject *field, const QKeyEvent &key) const
{
    const auto *edit = qobject_cast<const QLineEdit *>(field);
    if (!edit)
        return true;
    const QKeySequence pressed(key.keyCombination());
    if (pressed == ui.mnuUndo->shortcut())
        return edit->isUndoAvailable();
    if (pressed == ui.mnuRedo->shortcut())
        return edit->isRedoAvailable();
    return true;
}
