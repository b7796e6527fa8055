#include "shell/searchwindow.h"

#include "catalogue/catalogue.h"
#include "catalogue/usehistory.h"
#include "dialogs/searchfield.h"
#include "dialogs/spokenstatus.h"
#include "platform/desktop/display.h"
#include "platform/desktop/installedapplications.h"
#include "platform/system/memory.h"
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
      m_keysHint(new QLabel(texts::searchKeysHint(false))),
      m_spoken(std::make_unique<SpokenStatus>(*this)), m_results(new SearchResults(icons, this))
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
    m_keysHint->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_nothing, 1);
    layout->addWidget(m_keysHint);
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
                m_keysHint->setText(
                    texts::searchKeysHint(current.data(SearchResults::InstalledRole).toBool()));
            });

    connect(&catalogue, &Catalogue::changed, this, &SearchWindow::candidatesChanged);
    connect(&readings, &NameReader::readingsChanged, this, &SearchWindow::candidatesChanged);
    connect(&applications, &platform::InstalledApplications::changed, this,
            &SearchWindow::candidatesChanged);
}

SearchWindow::~SearchWindow() = default;

void SearchWindow::open(const QByteArray &activationToken)
{
    m_applications.load();
    if (!isVisible()) {
        if (m_candidates)
            m_candidates->countUses(m_uses); // launches are made while it is hidden
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

QList<SearchRowId> SearchWindow::results() const
{
    QList<SearchRowId> ids;
    const FoundRows &rows = m_results->rows();
    for (qsizetype i = 0; i < rows.size(); ++i)
        ids.append(rows.at(i).id);
    return ids;
}

int SearchWindow::selectedRow() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void SearchWindow::candidatesChanged()
{
    m_candidates.reset();
    if (isVisible())
        showResults();
}

const SearchCandidates &SearchWindow::candidates()
{
    if (!m_candidates) {
        m_candidates.emplace(m_catalogue, m_applications.applications(),
                             [this](const QString &name) { return m_readings.readingsOf(name); });
        m_candidates->countUses(m_uses);
    }
    return *m_candidates;
}

void SearchWindow::showResults()
{
    // Rebuilt for what arrived meanwhile (the installed applications, readings, an edit), the
    // list keeps the row the user moved to; for a new query it starts at the top.
    const QString typed = m_field->query();
    const SearchRow *current = rowAt(selectedRow());
    const std::optional<SearchRowId> kept =
        current && typed == m_shownQuery ? std::optional(current->id) : std::nullopt;
    m_shownQuery = typed;
    const bool rebuilt = !m_candidates;
    const SearchCandidates &all = candidates();
    m_list->setQuiet(true);
    m_results->show(all.find(typed, QDateTime::currentSecsSinceEpoch()));
    if (rebuilt)
        platform::returnFreedMemory(); // the rows let go, and what making the new ones took

    const bool any = m_results->rowCount() > 0;
    m_nothing->setText(all.isEmpty() ? texts::searchCatalogueEmpty : texts::searchNoMatch);
    m_nothing->setVisible(!any);
    m_list->setVisible(any);
    int row = 0;
    while (kept && row < m_results->rowCount() && m_results->rows().at(row).id != *kept)
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

const SearchRow *SearchWindow::rowAt(int row) const
{
    if (row < 0 || row >= m_results->rowCount())
        return nullptr;
    return &m_results->rows().at(row);
}

std::optional<SearchRow> SearchWindow::hideChoosing(int row)
{
    const SearchRow *chosen = rowAt(row);
    if (!chosen)
        return std::nullopt;
    SearchRow shown = *chosen; // hiding may rebuild the rows
    hide();
    return shown;
}

void SearchWindow::choose(int row)
{
    if (const auto shown = hideChoosing(row); shown && shown->kind == SearchRow::Kind::Listed)
        emit entryChosen(shown->id.listed.category, shown->id.listed.index);
    else if (shown)
        emit applicationChosen(*shown->entry);
}

void SearchWindow::addChosen(int row)
{
    const SearchRow *chosen = rowAt(row);
    if (chosen && chosen->kind != SearchRow::Kind::Listed)
        emit applicationAddRequested(Entry(*chosen->entry)); // the list rebuilds as it is added
}

void SearchWindow::editChosen(int row)
{
    if (const auto shown = hideChoosing(row); shown && shown->kind == SearchRow::Kind::Listed)
        emit entryEditRequested(shown->id.listed.category, shown->id.listed.index);
    else if (shown)
        emit applicationEditRequested(shown->id.application);
}

void SearchWindow::startTyped()
{
    const QString typed = m_field->text();
    if (typed.trimmed().isEmpty())
        return;
    hide();
    emit commandLineTyped(typed);
}

bool SearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
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
        else if (key->modifiers() & Qt::ShiftModifier)
            startTyped();
        else
            choose(row);
        return true;
    case Qt::Key_E:
        if (key->modifiers() != Qt::ControlModifier)
            break;
        editChosen(row);
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
    if (watched == m_list && m_field->typeOn(key))
        return true;
    return QWidget::eventFilter(watched, event);
}

void SearchWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Like a menu: clicking elsewhere puts it away.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        hide();
}
