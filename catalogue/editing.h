#pragma once

#include "catalogue/catalogue.h"

#include <optional>

// The settings window's edits as rules over the model: each checks its preconditions in the
// order the window always has, and either refuses with a reason, changing nothing, or makes
// exactly one change of the model. Rows are the list's, 0-based; -1 is no row selected.
namespace editing {

enum class Refusal {
    CatalogueFull,      // a 100th entry
    FieldsEmpty,        // no name or no program
    UnusableCharacters, // a text the file cannot hold
    NothingSelected,    // no row to change or delete
    CategoryUnnamed,    // category 0 has no name to change
    NoSuchCategory,     // not one of the catalogue's eight: a caller's mistake, never the user's
    ModelRefused,       // the model refused what the rules allowed: they disagree, a fault
};

// What became of an edit: made, or refused for a reason with nothing changed.
class Outcome
{
public:
    static Outcome made() { return Outcome(); }
    Outcome(Refusal reason) : m_refusal(reason) {} // a rule returns its reason as it is

    bool wasMade() const { return !m_refusal; }
    // Only for one that was refused.
    Refusal reason() const { return *m_refusal; }

    friend bool operator==(const Outcome &, const Outcome &) = default;

private:
    Outcome() = default;
    std::optional<Refusal> m_refusal;
};

Outcome addEntry(Catalogue &catalogue, int c, const Entry &fields);
Outcome changeEntry(Catalogue &catalogue, int c, int row, const Entry &fields);
Outcome deleteEntry(Catalogue &catalogue, int c, int row);
Outcome renameCategory(Catalogue &catalogue, int c, const QString &name);

// Moves the entry in the row one place up (step -1) or down (+1): its new row, or nothing when
// there is no row or no place to move to, which is refused without a word.
std::optional<int> moveEntry(Catalogue &catalogue, int c, int row, int step);

} // namespace editing
