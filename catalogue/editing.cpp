#include "catalogue/editing.h"

namespace editing {
namespace {

// Both name and program are required, and every text must be one the file can hold.
Outcome checkFields(const Entry &fields)
{
    if (fields.EntryName.isEmpty() || fields.ProgramPath.isEmpty())
        return Refusal::FieldsEmpty;
    for (const QString *text : {&fields.EntryName, &fields.ProgramPath, &fields.WorkFolder}) {
        if (!Catalogue::isStorableText(*text))
            return Refusal::UnusableCharacters;
    }
    return Outcome::made();
}

bool isRow(const Catalogue &catalogue, int c, int row)
{
    return catalogue.isValidEntry(c, row + 1);
}

// Every rule's change is checked, in release builds too: a change the model refused must never
// be taken, and saved, as made.
Outcome made(bool changed)
{
    return changed ? Outcome::made() : Outcome(Refusal::ModelRefused);
}

} // namespace

Outcome addEntry(Catalogue &catalogue, int c, const Entry &fields)
{
    if (!Catalogue::isCategory(c))
        return Refusal::NoSuchCategory;
    if (catalogue.isFull(c))
        return Refusal::CatalogueFull;
    if (const Outcome checked = checkFields(fields); !checked.wasMade())
        return checked;
    return made(catalogue.append(c, fields));
}

Outcome changeEntry(Catalogue &catalogue, int c, int row, const Entry &fields)
{
    if (!Catalogue::isCategory(c))
        return Refusal::NoSuchCategory;
    if (!isRow(catalogue, c, row))
        return Refusal::NothingSelected;
    if (const Outcome checked = checkFields(fields); !checked.wasMade())
        return checked;
    return made(catalogue.replace(c, row + 1, fields));
}

Outcome deleteEntry(Catalogue &catalogue, int c, int row)
{
    if (!Catalogue::isCategory(c))
        return Refusal::NoSuchCategory;
    if (!catalogue.remove(c, row + 1))
        return Refusal::NothingSelected;
    return Outcome::made();
}

Outcome renameCategory(Catalogue &catalogue, int c, const QString &name)
{
    if (!Catalogue::isCategory(c))
        return Refusal::NoSuchCategory;
    if (c == 0)
        return Refusal::CategoryUnnamed;
    if (!Catalogue::isStorableText(name))
        return Refusal::UnusableCharacters;
    return made(catalogue.rename(c, name));
}

std::optional<int> moveEntry(Catalogue &catalogue, int c, int row, int step)
{
    const int target = row + step;
    if (!isRow(catalogue, c, row) || !catalogue.swap(c, row + 1, target + 1))
        return std::nullopt;
    return target;
}

} // namespace editing
