#pragma once

#include "settings/form1controls.h"

#include <QIcon>
#include <QMainWindow>
#include <memory>

class Catalogue;
class CatalogueEditor;
class Form2;
struct Entry;
class QMenu;
class QKeyEvent;
class QMimeData;

namespace platform {
class ProgramIcons;
struct Platform;
} // namespace platform

// The settings window. It lives for the whole run and is only shown and hidden. Its list and
// category box follow the catalogue; every button that changes the catalogue asks the editor,
// which makes one change of the model and saves it.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    // Built when the user first needs it, from the catalogue as it is then. popupMenu is the
    // tray's menu, which the menu bar shows too.
    Form1(const Catalogue &catalogue, CatalogueEditor &editor, QMenu *popupMenu,
          platform::ProgramIcons &icons, const QIcon &picture, platform::Platform &platform);
    ~Form1() override;

    // The controls, for tests and tools that drive the window as a user would.
    const Form1Controls &controls() const { return ui; }

    int selectedRow() const;
    int CurrentCategory() const { return m_currentCategory; }
    Form2 *folderChooser() const { return m_form2.get(); }
    void closeFolderChooser();

    // Choosing, clearing and the edits (form1editing.cpp).
    void Combo1_Click();
    void List1_Click();
    void Command3_Click();
    void Command1_Click();
    void Command8_Click();
    void Command7_Click();
    void Command6_Click();
    void Command4_Click();
    void Command2_Click();
    // Filling the fields from a file or a drop (form1import.cpp).
    void Command5_Click();
    void Form_OLEDragDrop(const QMimeData &data);
    // The window and its menu.
    void Command9_Click();
    // activationToken: what the desktop gave to bring the window to the front, if anything.
    void mnuConfig_Click(const QByteArray &activationToken = {});
    // Shown at category c with its entry k selected and in the fields.
    void showEntry(int c, int k);
    void mnuCloseWindow_Click();
    void mnuAutostart_Click();
    // Undo and redo the catalogue's changes since start (form1editing.cpp).
    void mnuUndo_Click();
    void mnuRedo_Click();

signals:
    void quitRequested();
    void versionRequested();
    void hotkeyRequested();
    void applicationsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillEntryList(int c);
    // Selecting a line from code runs Combo1_Click, even when the line was already selected.
    void selectCategoryLine(int line);
    Entry entryFields() const;
    void showEntryFields(const Entry &entry);
    void moveSelectedEntry(int step);
    void fillFromFile(const QString &path);
    void connectControls();
    void showRestoredState();
    // A text field keeps Ctrl+Z and Ctrl+Y while it has typing of its own to undo or redo.
    bool fieldTakesShortcut(QObject *field, const QKeyEvent &key) const;

    Form1Controls ui;
    QIcon Picture1;
    // The file-open dialog's settings, used by the program browser.
    struct
    {
        QString Filter;
        quint32 Flags = 0;
    } CommonDialog1;

    const Catalogue &m_catalogue;
    // The category the window shows and edits.
    qint16 m_currentCategory = 0;
    CatalogueEditor &m_editor;
    QMenu *m_popupMenu;
    platform::Platform &m_platform;
    std::unique_ptr<Form2> m_form2;
    bool m_shownBefore = false;
};
