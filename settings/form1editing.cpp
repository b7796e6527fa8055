// The settings window's choosing and editing: each edit checks its preconditions, makes one
// change of the model, which the list, the category box and the tray menu follow, and saves.
#include "catalogue/catalogue.h"
#include "platform/platform.h"
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
    ui.Text3->setText(i == 0 ? texts::uncategorised : m_catalogue.CategoryName(i));
    m_catalogue.CurrentCategory = qint16(i);
    FillEntryList(i);
}

void Form1::List1_Click()
{
    // With no row selected this reads position 0, which is always empty.
    showEntryFields(m_catalogue.entry(m_catalogue.CurrentCategory, selectedRow() + 1));
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

bool Form1::refused(editing::Outcome outcome, const QString &title)
{
    if (!outcome)
        return false;
    switch (*outcome) {
    case editing::Refusal::CatalogueFull:
        m_platform.messages.show(texts::catalogueFull, texts::registerTitle);
        break;
    case editing::Refusal::FieldsEmpty:
        // Under "登録" for adding and changing alike.
        m_platform.messages.show(texts::fieldsEmpty, texts::registerTitle);
        break;
    case editing::Refusal::UnusableCharacters:
        m_platform.messages.show(texts::unusableCharacters, title);
        break;
    case editing::Refusal::NothingSelected:
        m_platform.messages.show(texts::nothingSelected, title);
        break;
    case editing::Refusal::CategoryUnnamed:
        m_platform.messages.show(texts::cannotChange, title);
        break;
    case editing::Refusal::NoSuchCategory:
        break; // the window only ever names its own categories: nothing to tell the user
    }
    return true;
}

void Form1::moveSelectedEntry(int step)
{
    const auto moved =
        editing::moveEntry(m_catalogue, m_catalogue.CurrentCategory, selectedRow(), step);
    if (!moved)
        return;
    ui.List1->selectRowQuietly(*moved);
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
    if (refused(editing::addEntry(m_catalogue, m_catalogue.CurrentCategory, entryFields()),
                texts::registerTitle))
        return;
    SaveCatalogue();
}

void Form1::Command6_Click()
{
    if (refused(editing::changeEntry(m_catalogue, m_catalogue.CurrentCategory, selectedRow(),
                                     entryFields()),
                texts::changeTitle))
        return;
    SaveCatalogue();
}

void Form1::Command4_Click()
{
    if (refused(editing::deleteEntry(m_catalogue, m_catalogue.CurrentCategory, selectedRow()),
                texts::deleteTitle))
        return;
    SaveCatalogue();
}

void Form1::Command2_Click()
{
    if (refused(editing::renameCategory(m_catalogue, m_catalogue.CurrentCategory, ui.Text3->text()),
                texts::renameTitle))
        return;
    SaveCatalogue();
}

void Form1::mnuUndo_Click()
{
    if (m_history.undo())
        showRestoredState();
}

void Form1::mnuRedo_Click()
{
    if (m_history.redo())
        showRestoredState();
}

// The category shown stays; its name field and list show the restored state.
void Form1::showRestoredState()
{
    selectCategoryLine(m_catalogue.CurrentCategory);
    SaveCatalogue();
}
