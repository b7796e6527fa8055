#include "catalogue/history.h"

#include <utility>

CatalogueHistory::CatalogueHistory(Catalogue &catalogue, QObject *parent)
    : QObject(parent), m_catalogue(catalogue), m_current(catalogue.contents())
{
    connect(&catalogue, &Catalogue::changed, this, &CatalogueHistory::recordChange);
}

void CatalogueHistory::recordChange()
{
    if (m_restoring)
        return;
    if (m_inStep && std::exchange(m_stepRecorded, true)) {
        m_current = m_catalogue.contents(); // the state before the step is already kept
        return;
    }
    m_undo.append(std::exchange(m_current, m_catalogue.contents()));
    if (m_undo.size() > MaxSteps)
        m_undo.removeFirst();
    m_redo.clear();
    emit availabilityChanged();
}

bool CatalogueHistory::restore(QList<CatalogueContents> &from, QList<CatalogueContents> &to)
{
    if (from.isEmpty())
        return false;
    m_restoring = true;
    // A state the model held before always fits it again; were one refused, it stays where it
    // was and nothing is taken as restored.
    const bool replaced = m_catalogue.replaceAll(from.last());
    m_restoring = false;
    if (!replaced)
        return false;
    CatalogueContents state = from.takeLast();
    to.append(std::exchange(m_current, std::move(state)));
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
    m_current = m_catalogue.contents();
    m_undo.clear();
    m_redo.clear();
    emit availabilityChanged();
}
