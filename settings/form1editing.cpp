// The settings window's choosing and editing: each edit goes to the editor, which checks it,
// makes one change of the model (the list, the category box and the tray menu follow) and saves.
#include "catalogue/catalogue.h"
#include "catalogue/editor.h"
#include "platform/platform.h"
#include "presentation/categorynames.h"
#include "presentation/refusals.h"
#include "settings/categorybox.h"
#include "settings/entrylist.h"
#include "settings/form1.h"
#include "texts.h"

#include <QLineEdit>

void Form1::Combo1_Click()
{
    const int i = ui.Combo1->currentIndex();
    if (!Catalogue::isCategory(i))
        return;
    ui.Text3->setText(shownCategoryName(m_catalogue, i));
    m_currentCategory = qint16(i);
    FillEntryList(i);
}

void Form1::List1_Click()
{
    // With no row selected this reads position 0, which is always empty.
    showEntryFields(m_catalogue.entry(m_currentCategory, selectedRow() + 1));
}

void Form1::Command3_Click()
{
    showEntryFields({});
}

Entry Form1::entryFields() const
{
    return {ui.Text1->text(), ui.Text2->text(), ui.Text4->text()};
}

void Form1::showEntryFields(const Entry &entry)
{
    ui.Text1->setText(entry.EntryName);
    ui.Text2->setText(entry.ProgramPath);
    ui.Text4->setText(entry.WorkFolder);
}

void Form1::moveSelectedEntry(int step)
{
    const auto moved = m_editor.moveEntry(m_currentCategory, selectedRow(), step);
    if (!moved)
        return;
    ui.List1->selectRowQuietly(*moved);
    List1_Click();
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
    tellRefusal(m_platform.messages, m_editor.addEntry(m_currentCategory, entryFields()),
                texts::registerTitle);
}

void Form1::Command6_Click()
{
    tellRefusal(m_platform.messages,
                m_editor.changeEntry(m_currentCategory, selectedRow(), entryFields()),
                texts::changeTitle);
}

void Form1::Command4_Click()
{
    tellRefusal(m_platform.messages, m_editor.deleteEntry(m_currentCategory, selectedRow()),
                texts::deleteTitle);
}

void Form1::Command2_Click()
{
    tellRefusal(m_platform.messages, m_editor.renameCategory(m_currentCategory, ui.Text3->text()),
                texts::renameTitle);
}

void Form1::mnuUndo_Click()
{
    if (m_editor.undo())
        showRestoredState();
}

void Form1::mnuRedo_Click()
{
    if (m_editor.redo())
        showRestoredState();
}

// The category shown stays; its name field and list show the restored state.
void Form1::showRestoredState()
{
    selectCategoryLine(m_currentCategory);
}
