#include "presentation/searchcandidates.h"

#include "catalogue/catalogue.h"
#include "presentation/categorynames.h"
#include "texts.h"

#include <QHash>

namespace {

// An installed application's command as the row shows it: most often the entry's own command
// line, kept once for both.
QString shownProgram(const QStringList &exec, const std::optional<Entry> &entry)
{
    QString shown = exec.join(u' ');
    return entry && entry->ProgramPath == shown ? entry->ProgramPath : shown;
}

SearchRow listedRow(const Catalogue &catalogue, search::Found at, const ReadingsOf &readingsOf,
                    search::EntryKeys &keys)
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
            .key = keys.make(entry.EntryName, entry.ProgramPath, category, readingsOf(name),
                             readingsOf(shownCategory))};
}

SearchRow installedRow(const platform::Application &application, const QSet<QString> &listed,
                       const ReadingsOf &readingsOf, search::EntryKeys &keys)
{
    const platform::DesktopEntry &desktop = application.entry;
    std::optional<Entry> entry = entryOf(application);
    const bool isListed = entry && listed.contains(entry->ProgramPath);
    QString program = shownProgram(desktop.exec, entry);
    return {.kind = SearchRow::Kind::Installed,
            .listed = isListed,
            .id = SearchRowId(rowIdOf(application)),
            .applicationId = application.id,
            .entry = std::move(entry),
            .name = desktop.name,
            .category = texts::searchInstalled,
            .program = std::move(program),
            .icon = desktop.icon,
            .comment = desktop.comment,
            .key = keyOf(application, readingsOf, keys)};
}

// Under the name of its application, which it is set apart with.
SearchRow actionRow(const platform::Application &application, const platform::DesktopAction &action,
                    const QSet<QString> &listed, const ReadingsOf &readingsOf,
                    search::EntryKeys &keys)
{
    const QString &owner = application.entry.name;
    std::optional<Entry> entry = entryOf(application, action);
    const bool isListed = entry && listed.contains(entry->ProgramPath);
    QString program = shownProgram(action.exec, entry);
    return {.kind = SearchRow::Kind::Action,
            .listed = isListed,
            .id = SearchRowId(rowIdOf(application, &action)),
            .applicationId = application.id,
            .entry = std::move(entry),
            .name = action.name,
            .category = owner,
            .program = std::move(program),
            .icon = action.icon,
            .key = keyOf(application, action, readingsOf, keys)};
}

} // namespace

QString spokenName(const SearchRow &row)
{
    switch (row.kind) {
    case SearchRow::Kind::Listed:
        return texts::searchRowName(row.name, row.category);
    case SearchRow::Kind::Installed:
        return texts::searchRowName(row.name, texts::searchInstalled);
    case SearchRow::Kind::Action: // its category is its application's name
        return texts::searchRowName(row.name,
                                    texts::searchRowName(row.category, texts::searchInstalled));
    }
    Q_UNREACHABLE();
    return {};
}

SearchCandidates::SearchCandidates(const Catalogue &catalogue,
                                   const QList<platform::Application> &applications,
                                   const ReadingsOf &readingsOf)
{
    const QList<search::Found> order = search::menuOrder(catalogue);
    qsizetype actions = 0;
    for (const platform::Application &application : applications)
        actions += application.entry.actions.size();
    // Room for every row there may be, taken at once: what is not filled is never touched.
    m_rows.reserve(order.size() + applications.size() + actions);
    search::EntryKeys keys;
    for (const search::Found &at : order)
        m_rows.append(listedRow(catalogue, at, readingsOf, keys));
    m_listedCount = m_rows.size();
    // Those the list starts already are found as its entries.
    const QSet<QString> listed = listedPrograms(catalogue);
    const auto offer = [this](SearchRow row) {
        if (row.entry && !row.listed)
            m_rows.append(std::move(row));
    };
    for (const platform::Application &application : applications)
        offer(installedRow(application, listed, readingsOf, keys));
    m_actionsFrom = m_rows.size();
    for (const platform::Application &application : applications) {
        for (const platform::DesktopAction &action : application.entry.actions)
            offer(actionRow(application, action, listed, readingsOf, keys));
    }
    m_uses.resize(m_rows.size());
}

void SearchCandidates::countUses(UseHistory &uses)
{
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        m_uses[i] = uses.use(*m_rows.at(i).entry);
}

QList<int> SearchCandidates::ranked(qsizetype from, qsizetype to, const search::Query &query,
                                    qint64 now) const
{
    // The ranking's view of the rows, for this call only.
    QList<search::Candidate> candidates;
    candidates.reserve(to - from);
    for (qsizetype i = from; i < to; ++i) {
        const UseHistory::Use &use = m_uses.at(i);
        candidates.append({.index = int(i),
                           .key = &m_rows.at(i).key,
                           .uses = use.uses,
                           .lastUsed = use.lastUsed});
    }
    QList<int> found;
    for (const search::Found &at : search::find(candidates, query, now))
        found.append(at.index);
    return found;
}

// Where an application and its actions are both found, the actions follow it, in their own order.
QList<int> SearchCandidates::belowTheirApplications(const QList<int> &found) const
{
    QHash<QString, QList<int>> actionsShown; // by the application's id
    for (int i : found) {
        if (m_rows.at(i).kind == SearchRow::Kind::Installed)
            actionsShown.insert(m_rows.at(i).applicationId, {});
    }
    if (actionsShown.isEmpty())
        return found;
    for (int i : found) {
        const SearchRow &row = m_rows.at(i);
        const auto shown = actionsShown.find(row.applicationId);
        if (row.kind == SearchRow::Kind::Action && shown != actionsShown.end())
            shown->append(i);
    }
    QList<int> placed;
    placed.reserve(found.size());
    for (int i : found) {
        const SearchRow &row = m_rows.at(i);
        if (row.kind == SearchRow::Kind::Installed) {
            placed.append(i);
            placed += actionsShown.value(row.applicationId);
        } else if (row.kind != SearchRow::Kind::Action ||
                   !actionsShown.contains(row.applicationId)) {
            placed.append(i);
        }
    }
    return placed;
}

FoundRows SearchCandidates::find(const QString &typed, qint64 now) const
{
    const search::Query query(typed);
    QList<int> order = ranked(0, m_listedCount, query, now);
    if (!query.isEmpty() || m_listedCount == 0)
        order += belowTheirApplications(ranked(m_listedCount, m_rows.size(), query, now));
    return FoundRows(m_rows, std::move(order));
}

QList<SearchRow> applicationRows(const QList<platform::Application> &applications,
                                 const QSet<QString> &listed, const ReadingsOf &readingsOf)
{
    QList<SearchRow> rows;
    search::EntryKeys keys;
    for (const platform::Application &application : applications) {
        rows.append(installedRow(application, listed, readingsOf, keys));
        for (const platform::DesktopAction &action : application.entry.actions)
            rows.append(actionRow(application, action, listed, readingsOf, keys));
    }
    return rows;
}
