#pragma once

#include "catalogue/catalogue.h"

#include <QList>
#include <QObject>
#include <functional>

// The catalogue's earlier states, for undo and redo. It follows the model: the state before
// each change is kept as the change is about to be made, so the last MaxSteps changes can be
// undone, and undone changes redone until a new change is made. Bounded, because the program
// runs all day: a full catalogue's state is some 65 kB. Nothing is kept before the first
// change: most days the list is only read.
class CatalogueHistory : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype MaxSteps = 100;

    explicit CatalogueHistory(Catalogue &catalogue, QObject *parent = nullptr);

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }

    // Each is one change of the model (everything replaced); false when there is nothing to
    // undo or redo.
    bool undo();
    bool redo();
    // The changes made by changes() are recorded as one, undone and redone together.
    void asOneStep(const std::function<void()> &changes);
    // Forgets every state: the catalogue as it is now is where undo stops.
    void restart();

signals:
    void availabilityChanged();

private:
    void keepStateBefore();
    void announceKept();
    bool restore(QList<CatalogueContents> &from, QList<CatalogueContents> &to);

    Catalogue &m_catalogue;
    QList<CatalogueContents> m_undo;
    QList<CatalogueContents> m_redo;
    bool m_restoring = false;
    bool m_inStep = false;
    bool m_stepRecorded = false;
    bool m_kept = false; // a state was kept for the change under way
};
