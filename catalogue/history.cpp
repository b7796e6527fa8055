#include "catalogue/history.h"

#include <utility>

CatalogueHistory::CatalogueHistory(Catalogue &catalogue, QObject *parent)
    : QObject(parent), m_catalogue(catalogue)
{
    connect(&catalogue, &Catalogue::aboutToChange, this, &CatalogueHistory::keepStateBefore);
    connect(&catalogue, &Catalogue::changed, this, &CatalogueHistory::announceKept);
}

void CatalogueHistory::keepStateBefore()
{
    if (m_restoring)
        return;
    if (m_inStep && std::exchange(m_stepRecorded, true))
        return; // the state before the step is already kept
    m_undo.append(m_catalogue.contents());
    if (m_undo.size() > MaxSteps)
        m_undo.removeFirst();
    m_redo.clear();
    m_kept = true;
}

void CatalogueHistory::announceKept()
{
    if (std::exchange(m_kept, false))
        emit availabilityChanged();
}

bool CatalogueHistory::restore(QList<CatalogueContents> &from, QList<CatalogueContents> &to)
{
    if (from.isEmpty())
        return false;
    CatalogueContents now = m_catalogue.contents();
    m_restoring = true;
    // A state the model held before always fits it again; were one refused, it stays where it
    // was and nothing is taken as restored.
    const bool replaced = m_catalogue.replaceAll(from.last());
    m_restoring = false;
    if (!replaced)
        return false;
    from.removeLast();
    to.append(std::move(now));
    emit availabilityChanged();
    return true;
}

bool CatalogueHistory::undo()
{
    return restore(m_undo, m_redo);
}

bool CatalogueHistory::redo()
{
    return restore(m_redo, m_undo);
}

void CatalogueHistory::asOneStep(const std::function<void()> &changes)
{
    m_inStep = true;
    m_stepRecorded = false;
    changes();
    m_inStep = false;
}

void CatalogueHistory::restart()
{
    m_undo.clear();
    m_redo.clear();
    emit availabilityChanged();
}
