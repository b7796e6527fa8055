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
    return std::nullopt;
}

bool isRow(const Catalogue &catalogue, int c, int row)
{
    return catalogue.isValidEntry(c, row + 1);
}

} // namespace

Outcome addEntry(Catalogue &catalogue, int c, const Entry &fields)
{
    if (catalogue.isFull(c))
        return Refusal::CatalogueFull;
    if (const Outcome refused = checkFields(fields))
        return refused;
    const bool appended = catalogue.append(c, fields);
    Q_ASSERT(appended);
    return std::nullopt;
}

Outcome changeEntry(Catalogue &catalogue, int c, int row, const Entry &fields)
{
    if (!isRow(catalogue, c, row))
        return Refusal::NothingSelected;
    if (const Outcome refused = checkFields(fields))
        return refused;
    const bool replaced = catalogue.replace(c, row + 1, fields);
    Q_ASSERT(replaced);
    return std::nullopt;
}

Outcome deleteEntry(Catalogue &catalogue, int c, int row)
{
    if (!catalogue.remove(c, row + 1))
        return Refusal::NothingSelected;
    return std::nullopt;
}

Outcome renameCategory(Catalogue &catalogue, int c, const QString &name)
{
    if (c == 0)
        return Refusal::CategoryUnnamed;
    if (!Catalogue::isStorableText(name))
        return Refusal::UnusableCharacters;
    const bool renamed = catalogue.rename(c, name);
    Q_ASSERT(renamed);
    return std::nullopt;
}

std::optional<int> moveEntry(Catalogue &catalogue, int c, int row, int step)
{
    const int target = row + step;
    if (!isRow(catalogue, c, row) || !catalogue.swap(c, row + 1, target + 1))
        return std::nullopt;
    return target;
}

} // namespace editing
