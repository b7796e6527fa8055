#include "catalogue/editor.h"

CatalogueEditor::CatalogueEditor(Catalogue &catalogue, std::function<void()> save, QObject *parent)
    : QObject(parent), m_catalogue(catalogue), m_history(catalogue), m_save(std::move(save))
{
    connect(&m_history, &CatalogueHistory::availabilityChanged, this,
            &CatalogueEditor::availabilityChanged);
}

editing::Outcome CatalogueEditor::saved(editing::Outcome outcome)
{
    if (outcome.wasMade())
        m_save();
    return outcome;
}

editing::Outcome CatalogueEditor::addEntry(int c, const Entry &fields)
{
    return saved(editing::addEntry(m_catalogue, c, fields));
}

editing::Outcome CatalogueEditor::changeEntry(int c, int row, const Entry &fields)
{
    return saved(editing::changeEntry(m_catalogue, c, row, fields));
}

editing::Outcome CatalogueEditor::deleteEntry(int c, int row)
{
    return saved(editing::deleteEntry(m_catalogue, c, row));
}

editing::Outcome CatalogueEditor::renameCategory(int c, const QString &name)
{
    return saved(editing::renameCategory(m_catalogue, c, name));
}

std::optional<int> CatalogueEditor::moveEntry(int c, int row, int step)
{
    const auto moved = editing::moveEntry(m_catalogue, c, row, step);
    if (moved)
        m_save();
    return moved;
}

QList<editing::Outcome> CatalogueEditor::addEntries(int c, const QList<Entry> &entries)
{
    QList<editing::Outcome> outcomes;
    bool anyMade = false;
    m_history.asOneStep([&] {
        for (const Entry &entry : entries) {
            outcomes.append(editing::addEntry(m_catalogue, c, entry));
            anyMade = anyMade || outcomes.last().wasMade();
        }
    });
    if (anyMade)
        m_save();
    return outcomes;
}

bool CatalogueEditor::takeIn(const CatalogueContents &contents)
{
    return m_catalogue.replaceAll(contents);
}

bool CatalogueEditor::undo()
{
    const bool undone = m_history.undo();
    if (undone)
        m_save();
    return undone;
}

bool CatalogueEditor::redo()
{
    const bool redone = m_history.redo();
    if (redone)
        m_save();
    return redone;
}
