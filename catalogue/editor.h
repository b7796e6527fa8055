#pragma once

#include "catalogue/editing.h"
#include "catalogue/history.h"

#include <functional>

// The one way the catalogue is edited, whichever view the edit comes from: each edit is
// checked by the rules, made as one change of the model (which every view follows), recorded
// for undo and saved once. A refused edit changes and saves nothing.
class CatalogueEditor : public QObject
{
    Q_OBJECT

public:
    // save: writes the catalogue out and reports a failure to the user.
    CatalogueEditor(Catalogue &catalogue, std::function<void()> save, QObject *parent = nullptr);

    const Catalogue &catalogue() const { return m_catalogue; }

    editing::Outcome addEntry(int c, const Entry &fields);
    editing::Outcome changeEntry(int c, int row, const Entry &fields);
    editing::Outcome deleteEntry(int c, int row);
    editing::Outcome renameCategory(int c, const QString &name);
    std::optional<int> moveEntry(int c, int row, int step);
    // Appends each entry in turn; those refused are left out. One step to undo, one save.
    // What became of each entry, in order.
    QList<editing::Outcome> addEntries(int c, const QList<Entry> &entries);
    // What the file now holds, changed by someone else: one step to undo, nothing saved, as
    // the file holds it already. False for contents over the model's limits.
    bool takeIn(const CatalogueContents &contents);

    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    bool undo();
    bool redo();
    // The catalogue as it is now is where undo stops: after it was loaded.
    void forgetHistory() { m_history.restart(); }

    // Writes the catalogue out without an edit, as the end of the program does.
    void save() const { m_save(); }

signals:
    void availabilityChanged();

private:
    editing::Outcome saved(editing::Outcome outcome);

    Catalogue &m_catalogue;
    CatalogueHistory m_history;
    std::function<void()> m_save;
};
