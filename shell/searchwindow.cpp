#include "shell/searchwindow.h"

#include "catalogue/catalogue.h"
#include "catalogue/usehistory.h"
#include "platform/desktop/display.h"
#include "shell/namereader.h"
#include "shell/searchfield.h"
#include "shell/searchresults.h"
#include "texts.h"

#include <QAccessibleWidget>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
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
                           platform::ProgramIcons &icons, UseHistory &uses, const QIcon &windowIcon)
    : m_catalogue(catalogue), m_readings(readings), m_uses(uses), m_field(new SearchField),
      m_list(new QListView), m_nothing(new QLabel),
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

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_nothing, 1);
    resize(560, 340);

    m_field->installEventFilter(this);
    m_list->installEventFilter(this);
    connect(m_field, &SearchField::queryChanged, this, &SearchWindow::showResults);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                // Read out while the focus stays in the field.
                m_field->setAccessibleDescription(
                    current.data(Qt::AccessibleTextRole).toString());
            });

    connect(&catalogue, &Catalogue::entryAppended, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::entryChanged, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::entryRemoved, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::entriesSwapped, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::categoryRenamed, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::replaced, this, &SearchWindow::catalogueChanged);
    connect(&readings, &NameReader::readingsChanged, this, &SearchWindow::catalogueChanged);
}

SearchWindow::~SearchWindow() = default;

void SearchWindow::open(const QByteArray &activationToken)
{
    if (!isVisible()) {
        m_usesCurrent = false; // launches are made while it is hidden
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
            const QString category =
                at.category == 0 ? texts::uncategorised : m_catalogue.CategoryName(at.category);
            m_keys.emplace_back(entry.EntryName, entry.ProgramPath, category,
                                m_readings.readingsOf(search::withoutAccessKey(entry.EntryName)),
                                m_readings.readingsOf(search::withoutAccessKey(category)));
        }
        m_keysCurrent = true;
        m_usesCurrent = false;
    }
    if (!m_usesCurrent) {
        m_candidates.clear();
        m_candidates.reserve(m_entries.size());
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            const search::Found &at = m_entries.at(i);
            const UseHistory::Use use = m_uses.use(m_catalogue.entry(at.category, at.index));
            m_candidates.append(
                {at.category, at.index, &m_keys[size_t(i)], use.count, use.lastUsed});
        }
        m_usesCurrent = true;
    }
}

void SearchWindow::showResults()
{
    prepareCandidates();
    m_results->show(search::find(m_candidates, search::Query(m_field->query()),
                                 QDateTime::currentSecsSinceEpoch()));

    const bool any = m_results->rowCount() > 0;
    m_nothing->setText(m_entries.isEmpty() ? texts::searchCatalogueEmpty : texts::searchNoMatch);
    m_nothing->setVisible(!any);
    m_list->setVisible(any);
    selectRow(0);
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
    emit entryChosen(chosen.category, chosen.index);
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
