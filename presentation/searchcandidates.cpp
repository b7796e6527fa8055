#include "presentation/searchcandidates.h"

#include "catalogue/catalogue.h"
#include "presentation/categorynames.h"
#include "texts.h"

#include <QHash>

namespace {

SearchRow listedRow(const Catalogue &catalogue, search::Found at, const ReadingsOf &readingsOf)
{
    const Entry &entry = catalogue.entry(at.category, at.index);
    const QString category = shownCategoryName(catalogue, at.category);
    const QString name = search::withoutAccessKey(entry.EntryName);
    const QString shownCategory = search::withoutAccessKey(category);
    return {.kind = SearchRow::Kind::Listed,
            .id = SearchRowId(at.category, at.index),
            .entry = entry,
            .name = name,
            .category = shownCategory,
            .program = entry.ProgramPath,
            .spoken = texts::searchRowName(name, shownCategory),
            .key = search::EntryKey(entry.EntryName, entry.ProgramPath, category, readingsOf(name),
                                    readingsOf(shownCategory))};
}

SearchRow installedRow(const platform::Application &application, const QSet<QString> &listed,
                       const ReadingsOf &readingsOf)
{
    const platform::DesktopEntry &desktop = application.entry;
    std::optional<Entry> entry = entryOf(application);
    const bool isListed = entry && listed.contains(entry->ProgramPath);
    return {.kind = SearchRow::Kind::Installed,
            .id = SearchRowId(rowIdOf(application)),
            .applicationId = application.id,
            .entry = std::move(entry),
            .name = desktop.name,
            .category = texts::searchInstalled,
            .program = desktop.exec.join(u' '),
            .spoken = texts::searchRowName(desktop.name, texts::searchInstalled),
            .icon = desktop.icon,
            .comment = desktop.comment,
            .listed = isListed,
            .key = keyOf(application, readingsOf)};
}

// Under the name of its application, which it is set apart with.
SearchRow actionRow(const platform::Application &application, const platform::DesktopAction &action,
                    const QSet<QString> &listed, const ReadingsOf &readingsOf)
{
    const QString &owner = application.entry.name;
    std::optional<Entry> entry = entryOf(application, action);
    const bool isListed = entry && listed.contains(entry->ProgramPath);
    return {.kind = SearchRow::Kind::Action,
            .id = SearchRowId(rowIdOf(application, &action)),
            .applicationId = application.id,
            .entry = std::move(entry),
            .name = action.name,
            .category = owner,
            .program = action.exec.join(u' '),
            .spoken = texts::searchRowName(action.name,
                                           texts::searchRowName(owner, texts::searchInstalled)),
            .icon = action.icon,
            .listed = isListed,
            .key = keyOf(application, action, readingsOf)};
}

QList<SearchRow> ranked(const QList<SearchRow> &rows, const search::Query &query, qint64 now)
{
    // The ranking's view of the rows, for this call only.
    QList<search::Candidate> candidates;
    candidates.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const SearchRow &row = rows.at(i);
        candidates.append(
            {.index = int(i), .key = &row.key, .uses = row.use.uses, .lastUsed = row.use.lastUsed});
    }
    QList<SearchRow> found;
    for (const search::Found &at : search::find(candidates, query, now))
        found.append(rows.at(at.index));
    return found;
}

// Where an application and its actions are both found, the actions follow it, in their own order.
QList<SearchRow> belowTheirApplications(const QList<SearchRow> &rows)
{
    QHash<QString, QList<SearchRow>> actionsShown; // by the application's id
    for (const SearchRow &row : rows) {
        if (row.kind == SearchRow::Kind::Installed)
            actionsShown.insert(row.applicationId, {});
    }
    if (actionsShown.isEmpty())
        return rows;
    for (const SearchRow &row : rows) {
        const auto shown = actionsShown.find(row.applicationId);
        if (row.kind == SearchRow::Kind::Action && shown != actionsShown.end())
            shown->append(row);
    }
    QList<SearchRow> placed;
    placed.reserve(rows.size());
    for (const SearchRow &row : rows) {
        if (row.kind == SearchRow::Kind::Installed) {
            placed.append(row);
            placed += actionsShown.value(row.applicationId);
        } else if (row.kind != SearchRow::Kind::Action ||
                   !actionsShown.contains(row.applicationId)) {
            placed.append(row);
        }
    }
    return placed;
}

} // namespace

SearchCandidates::SearchCandidates(const Catalogue &catalogue,
                                   const QList<platform::Application> &applications,
                                   const ReadingsOf &readingsOf)
{
    const QList<search::Found> order = search::menuOrder(catalogue);
    m_listed.reserve(order.size());
    for (const search::Found &at : order)
        m_listed.append(listedRow(catalogue, at, readingsOf));
    // Those the list starts already are found as its entries. Built in place: a list of every
    // application's rows made first and copied from stays in the heap after it is freed.
    const QSet<QString> listed = listedPrograms(catalogue);
    const auto offer = [this](SearchRow row) {
        if (row.entry && !row.listed)
            m_offered.append(std::move(row));
    };
    for (const platform::Application &application : applications)
        offer(installedRow(application, listed, readingsOf));
    m_installedCount = m_offered.size();
    for (const platform::Application &application : applications) {
        for (const platform::DesktopAction &action : application.entry.actions)
            offer(actionRow(application, action, listed, readingsOf));
    }
}

void SearchCandidates::countUses(UseHistory &uses)
{
    for (QList<SearchRow> *rows : {&m_listed, &m_offered}) {
        for (SearchRow &row : *rows)
            row.use = uses.use(*row.entry);
    }
}

QList<SearchRow> SearchCandidates::find(const QString &typed, qint64 now) const
{
    const search::Query query(typed);
    QList<SearchRow> rows = ranked(m_listed, query, now);
    if (!query.isEmpty() || m_listed.isEmpty())
        rows += belowTheirApplications(ranked(m_offered, query, now));
    return rows;
}

QList<SearchRow> applicationRows(const QList<platform::Application> &applications,
                                 const QSet<QString> &listed, const ReadingsOf &readingsOf)
{
    QList<SearchRow> rows;
    for (const platform::Application &application : applications) {
        rows.append(installedRow(application, listed, readingsOf));
        for (const platform::DesktopAction &action : application.entry.actions)
            rows.append(actionRow(application, action, listed, readingsOf));
    }
    return rows;
}
