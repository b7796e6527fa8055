#pragma once

#include "settings/form1controls.h"

#include <QIcon>
#include <QMainWindow>
#include <memory>
#include <optional>

class Catalogue;
class CatalogueSaver;
class Form2;
class PopupMenu;
struct Entry;
class QAction;
class QListWidgetItem;
class QMimeData;
class QMenu;

namespace platform {
class ProgramIcons;
struct Platform;
} // namespace platform

// The settings window. It lives for the whole run and is only shown and hidden; every button
// that changes the catalogue keeps memory, list, combo box, popup menu and file in step and
// ends with one save.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    // Built when the user first needs it, from the catalogue as it is then.
    Form1(Catalogue &catalogue, const CatalogueSaver &saver, PopupMenu &popup,
          platform::ProgramIcons &icons, const QIcon &picture, platform::Platform &platform);
    ~Form1() override;

    Form1Controls ui;
    QIcon Picture1;
    QMenu *mnuMnu = nullptr;
    QAction *mnuCloseWindow = nullptr;
    QAction *mnuQuit = nullptr;
    QAction *mnuAutostart = nullptr;
    QAction *mnuVer = nullptr;

    // The file-open dialog's settings, used by the program browser.
    struct
    {
        QString Filter;
        quint32 Flags = 0;
    } CommonDialog1;

    void FillEntryList(int c);
    void SaveCatalogue();
    int selectedRow() const;
    // Selecting a line from code runs Combo1_Click, even when the line was already selected.
    void selectCategoryLine(int line);

    void Combo1_Click();
    void List1_Click();
    void Command3_Click();
    void Command1_Click();
    void Command8_Click();
    void Command7_Click();
    void Command6_Click();
    void Command4_Click();
    void Command2_Click();
    void Command5_Click();
    void Command9_Click();
    void mnuConfig_Click();
    void mnuCloseWindow_Click();
    void Form_OLEDragDrop(const QMimeData &data);
    void mnuAutostart_Click();

    Form2 *folderChooser() const { return m_form2.get(); }
    void closeFolderChooser();

signals:
    void quitRequested();
    void versionRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<Entry> checkedEntryFields(const QString &title);
    // The selected row, or -1 after telling the user that no entry is selected.
    int selectedRowOrRefuse(const QString &title);
    void moveSelectedEntry(int step);
    void fillFromFile(const QString &path);
    // A row shows its entry's name and its program's icon.
    QListWidgetItem *rowFor(const Entry &entry) const;
    void showEntryInRow(int r);
    void showListIcons();

    Catalogue &m_catalogue;
    const CatalogueSaver &m_saver;
    PopupMenu &m_popup;
    platform::ProgramIcons &m_icons;
    platform::Platform &m_platform;
    std::unique_ptr<Form2> m_form2;
    bool m_shownBefore = false;
};
