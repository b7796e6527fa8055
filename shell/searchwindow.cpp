#include "shell/searchwindow.h"

#include "catalogue/catalogue.h"
#include "catalogue/usehistory.h"
#include "dialogs/searchfield.h"
#include "dialogs/spokenstatus.h"
#include "platform/desktop/display.h"
#include "platform/desktop/installedapplications.h"
#include "settings/applicationentries.h"
#include "settings/categorybox.h"
#include "shell/namereader.h"
#include "shell/searchresults.h"
#include "texts.h"

#include <QAccessibleWidget>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// A screen reader announces a dialog by its title as it opens; a plain top-level widget would be
// a nameless pane to it.
QAccessibleInterface *accessibleAsDialog(const QString &className, QObject *object)
{
    if (className == QLatin1String("SearchWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

SearchWindow::SearchWindow(const Catalogue &catalogue, const NameReader &readings,
                           platform::InstalledApplications &applications,
                           platform::ProgramIcons &icons, UseHistory &uses, const QIcon &windowIcon)
    : m_catalogue(catalogue), m_readings(readings), m_applications(applications), m_uses(uses),
      m_field(new SearchField), m_list(new SearchResultList), m_nothing(new QLabel),
      m_addHint(new QLabel(texts::searchAddHint)), m_spoken(std::make_unique<SpokenStatus>(*this)),
      m_results(new SearchResults(catalogue, icons, this))
{
    static const bool accessibleFactoryInstalled =
        (QAccessible::installFactory(accessibleAsDialog), true);
    Q_UNUSED(accessibleFactoryInstalled);
    setWindowTitle(texts::searchTitle);
    setWindowIcon(windowIcon);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_field->setAccessibleName(texts::searchFieldName);
    m_field->setPlaceholderText(texts::searchFieldHint);
    m_list->setAccessibleName(texts::searchListName);
    m_list->setModel(m_results);
    m_list->setItemDelegate(new SearchResultDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_nothing->setAlignment(Qt::AlignCenter);
    m_nothing->setEnabled(false);
    m_addHint->setEnabled(false);
    m_addHint->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_nothing, 1);
    layout->addWidget(m_addHint);
    // Of a fixed size, so that tiling window managers float it (sway and i3 do, for a window
    // whose least and greatest sizes are the same) instead of tiling it over the screen.
    setFixedSize(560, 340);

    m_field->installEventFilter(this);
    m_list->installEventFilter(this);
    connect(m_field, &SearchField::queryChanged, this, &SearchWindow::showResults);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid()) // none only for a moment, while the rows are rebuilt
                    describeSelection();
                m_addHint->setVisible(current.data(SearchResults::InstalledRole).toBool());
            });

    connect(&catalogue, &Catalogue::changed, this, &SearchWindow::catalogueChanged);
    connect(&readings, &NameReader::readingsChanged, this, &SearchWindow::catalogueChanged);
    connect(&applications, &platform::InstalledApplications::changed, this, [this] {
        m_offeredCurrent = false;
        if (isVisible())
            showResults();
    });
}

SearchWindow::~SearchWindow() = default;

void SearchWindow::open(const QByteArray &activationToken)
{
    m_applications.load();
    if (!isVisible()) {
        m_usesCurrent = false; // launches are made while it is hidden
        m_shownQuery.reset();
        if (m_field->query().isEmpty())
            showResults();
        else
            m_field->clear(); // which shows them
        const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    platform::bringToFront(this, activationToken);
    m_field->setFocus();
}

QList<search::Found> SearchWindow::results() const
{
    return m_results->rows();
}

int SearchWindow::selectedRow() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void SearchWindow::catalogueChanged()
{
    m_keysCurrent = false;
    m_offeredCurrent = false; // what is listed is no longer offered
    if (isVisible())
        showResults();
}

void SearchWindow::prepareCandidates()
{
    if (!m_keysCurrent) {
        m_entries = search::menuOrder(m_catalogue);
        m_keys.clear();
        m_keys.reserve(size_t(m_entries.size()));
        for (const search::Found &at : m_entries) {
            const Entry &entry = m_catalogue.entry(at.category, at.index);
            const QString category = shownCategoryName(m_catalogue, at.category);
            m_keys.emplace_back(entry.EntryName, entry.ProgramPath, category,
                                m_readings.readingsOf(search::withoutAccessKey(entry.EntryName)),
                                m_readings.readingsOf(search::withoutAccessKey(category)));
        }
        m_keysCurrent = true;
        m_usesCurrent = false;
    }
    if (!m_offeredCurrent) {
        prepareOffered();
        m_offeredCurrent = true;
        m_usesCurrent = false;
    }
    if (!m_usesCurrent) {
        const auto withUses = [this](int category, int index, const search::EntryKey &key,
                                     const Entry &entry) {
            const UseHistory::Use use = m_uses.use(entry);
            return search::Candidate{category, index, &key, use.count, use.lastUsed};
        };
        m_candidates.clear();
        m_candidates.reserve(m_entries.size());
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            const search::Found &at = m_entries.at(i);
            m_candidates.append(withUses(at.category, at.index, m_keys[size_t(i)],
                                         m_catalogue.entry(at.category, at.index)));
        }
        m_offeredCandidates.clear();
        m_offeredCandidates.reserve(m_offered.size());
        for (qsizetype i = 0; i < m_offered.size(); ++i) {
            m_offeredCandidates.append(withUses(SearchResults::installed, int(i),
                                                m_offeredKeys[size_t(i)], m_offeredEntries.at(i)));
        }
        for (qsizetype i = 0; i < m_actions.size(); ++i) {
            m_offeredCandidates.append(withUses(SearchResults::action, int(i),
                                                m_offeredKeys[size_t(m_offered.size() + i)],
                                                m_actionEntries.at(i)));
        }
        m_usesCurrent = true;
    }
}

// The installed applications that are not listed, prepared for matching like the entries.
void SearchWindow::prepareOffered()
{
    m_offered.clear();
    m_offeredEntries.clear();
    m_offeredKeys.clear();
    const QSet<QString> listed = listedPrograms(m_catalogue);
    const ReadingsOf readingsOf = [this](const QString &name) {
        return m_readings.readingsOf(name);
    };
    for (const platform::Application &application : m_applications.applications()) {
        const auto entry = entryOf(application);
        if (!entry || listed.contains(entry->ProgramPath))
            continue;
        m_offered.append(application);
        m_offeredEntries.append(*entry);
        m_offeredKeys.push_back(keyOf(application, readingsOf));
    }
    prepareOfferedActions(listed);
}

// Each application's actions, on rows of their own: those of a listed application too, which
// the list's entry does not start.
void SearchWindow::prepareOfferedActions(const QSet<QString> &listed)
{
    m_applicationsRead = m_applications.applications();
    m_actions.clear();
    m_actionEntries.clear();
    const ReadingsOf readingsOf = [this](const QString &name) {
        return m_readings.readingsOf(name);
    };
    for (qsizetype a = 0; a < m_applicationsRead.size(); ++a) {
        const platform::Application &application = m_applicationsRead.at(a);
        const QList<platform::DesktopAction> &actions = application.entry.actions;
        for (qsizetype i = 0; i < actions.size(); ++i) {
            const auto entry = entryOf(application, actions.at(i));
            if (!entry || listed.contains(entry->ProgramPath))
                continue;
            m_actions.append({int(a), int(i)});
            m_actionEntries.append(*entry);
            m_offeredKeys.push_back(keyOf(application, actions.at(i), readingsOf));
        }
    }
}

// An action never stands above its application: where both are found it follows it, with the
// application's other actions found, in their own order.
QList<search::Found> SearchWindow::belowTheirApplications(QList<search::Found> rows) const
{
    QHash<QString, QList<search::Found>> actionsShown; // by the application's id
    for (const search::Found &row : rows) {
        if (row.category == SearchResults::installed)
            actionsShown.insert(m_offered.at(row.index).id, {});
    }
    const auto applicationOf = [this](const search::Found &row) -> const QString & {
        return m_applicationsRead.at(m_actions.at(row.index).application).id;
    };
    for (const search::Found &row : rows) {
        if (row.category != SearchResults::action)
            continue;
        if (const auto shown = actionsShown.find(applicationOf(row)); shown != actionsShown.end())
            shown->append(row);
    }
    if (actionsShown.isEmpty())
        return rows;
    QList<search::Found> placed;
    placed.reserve(rows.size());
    for (const search::Found &row : std::as_const(rows)) {
        if (row.category == SearchResults::installed) {
            placed.append(row);
            placed += actionsShown.value(m_offered.at(row.index).id);
        } else if (row.category != SearchResults::action ||
                   !actionsShown.contains(applicationOf(row))) {
            placed.append(row);
        }
    }
    return placed;
}

// What a row shows, the same however the rows are rebuilt.
QString SearchWindow::identityOf(int row) const
{
    if (row < 0 || row >= m_results->rowCount())
        return {};
    const search::Found &at = m_results->rows().at(row);
    if (at.category == SearchResults::installed)
        return rowIdOf(m_offered.at(at.index));
    if (at.category == SearchResults::action) {
        const SearchResults::ActionRow &action = m_actions.at(at.index);
        const platform::Application &application = m_applicationsRead.at(action.application);
        return rowIdOf(application, &application.entry.actions.at(action.action));
    }
    return QString::number(at.category) + u':' + QString::number(at.index);
}

void SearchWindow::showResults()
{
    // Rebuilt for what arrived meanwhile (the installed applications, readings, an edit), the
    // list keeps the row the user moved to; for a new query it starts at the top.
    const QString typed = m_field->query();
    const QString kept = typed == m_shownQuery ? identityOf(selectedRow()) : QString();
    m_shownQuery = typed;
    prepareCandidates();
    const search::Query query(typed);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    // The list's own entries always come first; the installed ones are offered once something
    // is typed, or at once while the list is still empty.
    QList<search::Found> rows = search::find(m_candidates, query, now);
    if (!query.isEmpty() || m_entries.isEmpty())
        rows += belowTheirApplications(search::find(m_offeredCandidates, query, now));
    m_list->setQuiet(true);
    m_results->show(std::move(rows), m_offered, m_applicationsRead, m_actions);

    const bool any = m_results->rowCount() > 0;
    m_nothing->setText(m_entries.isEmpty() && m_offered.isEmpty() ? texts::searchCatalogueEmpty
                                                                  : texts::searchNoMatch);
    m_nothing->setVisible(!any);
    m_list->setVisible(any);
    int row = 0;
    while (!kept.isEmpty() && row < m_results->rowCount() && identityOf(row) != kept)
        ++row;
    selectRow(row < m_results->rowCount() ? row : 0);
    m_list->setQuiet(false);
    describeSelection();
    m_spoken->tell(m_field->accessibleDescription());
}

// The field's description, read with the field as it gets the focus: the chosen row and how many
// there are, or that none matches. As the results change it is also spoken once, focus unmoved.
void SearchWindow::describeSelection()
{
    const int row = selectedRow();
    const QString spoken =
        row < 0 ? m_nothing->text()
                : texts::searchRowSpoken(
                      m_results->index(row, 0).data(Qt::AccessibleTextRole).toString(), row + 1,
                      m_results->rowCount());
    if (m_field->accessibleDescription() != spoken)
        m_field->setAccessibleDescription(spoken);
}

void SearchWindow::selectRow(int row)
{
    // Moving past either end stays on the end row.
    const int rows = m_results->rowCount();
    m_list->setCurrentIndex(rows == 0 ? QModelIndex()
                                      : m_results->index(std::clamp(row, 0, rows - 1), 0));
}

void SearchWindow::choose(int row)
{
    if (row < 0 || row >= m_results->rowCount())
        return;
    const search::Found chosen = m_results->rows().at(row);
    hide();
    if (const Entry *entry = offeredAt(row))
        emit applicationChosen(*entry);
    else
        emit entryChosen(chosen.category, chosen.index);
}

const Entry *SearchWindow::offeredAt(int row) const
{
    if (row < 0 || row >= m_results->rowCount())
        return nullptr;
    const search::Found &at = m_results->rows().at(row);
    if (at.category == SearchResults::action)
        return &m_actionEntries.at(at.index);
    return at.category == SearchResults::installed ? &m_offeredEntries.at(at.index) : nullptr;
}

void SearchWindow::addChosen(int row)
{
    if (const Entry *entry = offeredAt(row))
        emit applicationAddRequested(Entry(*entry)); // the list rebuilds as it is added
}

bool SearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() == Qt::AltModifier && key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9) {
        choose(key->key() - Qt::Key_1);
        return true;
    }
    // Other keys that reach us while the input method composes are its to act on (one that
    // takes them itself never passes them on).
    if (m_field->isComposing())
        return QWidget::eventFilter(watched, event);
    const int row = selectedRow();
    const int page =
        std::max(1, m_list->viewport()->height() / std::max(1, m_list->sizeHintForRow(0)) - 1);
    switch (key->key()) {
    case Qt::Key_Escape:
        hide();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (key->modifiers() & Qt::ControlModifier)
            addChosen(row);
        else
            choose(row);
        return true;
    case Qt::Key_Up:
        selectRow(row - 1);
        return true;
    case Qt::Key_Down:
        selectRow(row + 1);
        return true;
    case Qt::Key_PageUp:
        selectRow(row - page);
        return true;
    case Qt::Key_PageDown:
        selectRow(row + page);
        return true;
    default:
        break;
    }
    // Typing into the list goes to the field.
    if (watched == m_list && !key->text().isEmpty() && key->text().at(0).isPrint()) {
        m_field->setFocus();
        m_field->event(event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SearchWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Like a menu: clicking elsewhere puts it away.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        hide();
}
