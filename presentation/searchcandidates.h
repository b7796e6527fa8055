#pragma once

#include "catalogue/search.h"
#include "catalogue/usehistory.h"
#include "presentation/applicationentries.h"

#include <QList>
#include <optional>

class Catalogue;

// What a row stands for, the same however the rows are rebuilt: an entry of the list by its
// place, an installed application or one of its actions by its rowIdOf.
struct SearchRowId
{
    SearchRowId(int category, int index) : listed{category, index} {}
    explicit SearchRowId(QString application) : application(std::move(application)) {}

    search::Found listed{0, 0};
    QString application; // empty for an entry of the list
    friend bool operator==(const SearchRowId &, const SearchRowId &) = default;
};

// One row the search offers, with all it shows and what choosing it starts.
struct SearchRow
{
    enum class Kind { Listed, Installed, Action };

    Kind kind;
    bool listed = false; // an application whose command line the list already starts
    SearchRowId id;
    QString applicationId{};      // an installed application's, or the one an action belongs to
    std::optional<Entry> entry{}; // none for an application that cannot be one command line
    QString name{};               // as the row shows it, without an access key
    QString category{}; // the category's shown name, 未登録, or an action's application
    QString program{};
    QString icon{};    // the theme's name for an application's or action's icon
    QString comment{}; // an application's own description
    search::EntryKey key;
};

// What a screen reader says of a row: its name and what it belongs to.
QString spokenName(const SearchRow &row);

// Rows found, best first: the candidates' own rows, shared with them rather than copied (with
// every entry and application found, a copy would double the search's memory), in the order
// found. They stay valid when the candidates are rebuilt.
class FoundRows
{
public:
    FoundRows() = default;
    FoundRows(QList<SearchRow> rows, QList<int> order)
        : m_rows(std::move(rows)), m_order(std::move(order))
    {
    }

    qsizetype size() const { return m_order.size(); }
    bool isEmpty() const { return m_order.isEmpty(); }
    const SearchRow &at(qsizetype i) const { return m_rows.at(m_order.at(i)); }

private:
    QList<SearchRow> m_rows;
    QList<int> m_order;
};

// The rows of the search window: the catalogue's entries in menu order, then the installed
// applications it does not list, then their own actions (those of listed applications too), each
// prepared for matching. Built anew when any of them changes.
class SearchCandidates
{
public:
    SearchCandidates(const Catalogue &catalogue, const QList<platform::Application> &applications,
                     const ReadingsOf &readingsOf);

    // Launches are counted while the search is hidden: takes the counts as they are now.
    void countUses(UseHistory &uses);

    // Best first: the list's entries that match; after them, once something is typed or while
    // the list is empty, the applications that match, an action never above its application:
    // where both match, it follows it.
    FoundRows find(const QString &typed, qint64 now) const;

    // Nothing to search in: no entry, and no application to offer.
    bool isEmpty() const { return m_actionsFrom == 0; }

private:
    // Best first, as row numbers, of the rows from `from` up to `to`.
    QList<int> ranked(qsizetype from, qsizetype to, const search::Query &query, qint64 now) const;
    QList<int> belowTheirApplications(const QList<int> &found) const;

    // The list's entries, then the applications offered, then their actions. Never changed
    // once built: the rows found share them.
    QList<SearchRow> m_rows;
    qsizetype m_listedCount = 0;
    qsizetype m_actionsFrom = 0;
    QList<UseHistory::Use> m_uses; // of each row
};

// Every installed application followed by its own actions, listed or not, in the order read:
// the rows of the application picker.
QList<SearchRow> applicationRows(const QList<platform::Application> &applications,
                                 const QSet<QString> &listed, const ReadingsOf &readingsOf);
