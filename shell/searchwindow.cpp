#include "shell/searchwindow.h"

#include "catalogue/catalogue.h"
#include "catalogue/usehistory.h"
#include "platform/desktop/display.h"
#include "platform/desktop/programicons.h"
#include "texts.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

// The rows the list shows: name with its program's icon, category, and the program, dimmed.
class SearchResults : public QAbstractTableModel
{
public:
    enum Column { Name, CategoryName, Program, ColumnCount };

    SearchResults(const Catalogue &catalogue, platform::ProgramIcons &icons, QObject *parent)
        : QAbstractTableModel(parent), m_catalogue(catalogue), m_icons(icons)
    {
        connect(&icons, &platform::ProgramIcons::iconsChanged, this, [this] {
            if (!m_rows.isEmpty())
                emit dataChanged(index(0, Name), index(rowCount() - 1, Name));
        });
    }

    void show(QList<search::Found> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const QList<search::Found> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const search::Found &row = m_rows.at(index.row());
        const Entry &entry = m_catalogue.entry(row.category, row.index);
        const QString name = search::withoutAccessKey(entry.EntryName);
        const QString category = row.category == 0
                                     ? texts::uncategorised
                                     : search::withoutAccessKey(m_catalogue.CategoryName(row.category));
        switch (role) {
        case Qt::DisplayRole:
            return index.column() == Name           ? name
                   : index.column() == CategoryName ? category
                                                    : entry.ProgramPath;
        case Qt::AccessibleTextRole:
            return index.column() == Name ? texts::searchRowName(name, category)
                                          : data(index, Qt::DisplayRole);
        case Qt::DecorationRole:
            if (index.column() == Name)
                return m_icons.icon(entry.ProgramPath, entry.WorkFolder);
            break;
        case Qt::ForegroundRole:
            if (index.column() == Program)
                return QPalette().brush(QPalette::Disabled, QPalette::Text);
            break;
        default:
            break;
        }
        return {};
    }

private:
    const Catalogue &m_catalogue;
    platform::ProgramIcons &m_icons;
    QList<search::Found> m_rows;
};

// Draws each cell's text from a cache of laid-out texts: the same entries come back keystroke
// after keystroke, and laying out Japanese text is most of what a repaint costs.
class LaidOutTextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        QStyle *style = cell.widget ? cell.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);

        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget)
                               .adjusted(margin, 0, -margin, 0);
        const QStaticText &laidOut = layOut(text, area.width(), cell.font);
        const bool selected = cell.state & QStyle::State_Selected;
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->setPen(selected                   ? cell.palette.color(QPalette::HighlightedText)
                        : foreground.isValid()     ? foreground.value<QBrush>().color()
                                                   : cell.palette.color(QPalette::Text));
        painter->drawStaticText(
            area.left(), area.top() + (area.height() - int(laidOut.size().height())) / 2, laidOut);
    }

private:
    const QStaticText &layOut(const QString &text, int width, const QFont &font) const
    {
        // Bounded: a long session of typing never grows it past a few full catalogues.
        if (m_laidOut.size() > 8000)
            m_laidOut.clear();
        const QString key = text + QChar(0) + QString::number(width);
        auto known = m_laidOut.find(key);
        if (known == m_laidOut.end()) {
            QStaticText laidOut(QFontMetrics(font).elidedText(text, Qt::ElideMiddle, width));
            laidOut.setTextFormat(Qt::PlainText);
            laidOut.prepare(QTransform(), font);
            known = m_laidOut.insert(key, laidOut);
        }
        return *known;
    }

    mutable QHash<QString, QStaticText> m_laidOut;
};

SearchWindow::SearchWindow(const Catalogue &catalogue, platform::ProgramIcons &icons,
                           UseHistory &uses, const QIcon &windowIcon)
    : m_catalogue(catalogue), m_uses(uses), m_field(new QLineEdit), m_list(new QTreeView),
      m_nothing(new QLabel), m_results(new SearchResults(catalogue, icons, this))
{
    setWindowTitle(texts::searchTitle);
    setWindowIcon(windowIcon);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_field->setAccessibleName(texts::searchFieldName);
    m_field->setPlaceholderText(texts::searchFieldHint);
    m_field->setClearButtonEnabled(true);
    m_list->setAccessibleName(texts::searchListName);
    m_list->setModel(m_results);
    m_list->setItemDelegate(new LaidOutTextDelegate(m_list));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderHidden(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(SearchResults::Name, 230);
    m_list->setColumnWidth(SearchResults::CategoryName, 120);
    m_nothing->setAlignment(Qt::AlignCenter);
    m_nothing->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_nothing, 1);
    resize(620, 400);

    m_field->installEventFilter(this);
    m_list->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, &SearchWindow::showResults);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                // Read out while the focus stays in the field.
                m_field->setAccessibleDescription(
                    current.isValid() ? current.siblingAtColumn(SearchResults::Name)
                                            .data(Qt::AccessibleTextRole)
                                            .toString()
                                      : QString());
            });

    connect(&catalogue, &Catalogue::entryAppended, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::entryChanged, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::entryRemoved, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::entriesSwapped, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::categoryRenamed, this, &SearchWindow::catalogueChanged);
    connect(&catalogue, &Catalogue::replaced, this, &SearchWindow::catalogueChanged);
}

SearchWindow::~SearchWindow() = default;

void SearchWindow::open(const QByteArray &activationToken)
{
    if (!isVisible()) {
        m_usesCurrent = false; // launches are made while it is hidden
        if (m_field->text().isEmpty())
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
            m_keys.emplace_back(entry.EntryName, entry.ProgramPath,
                                at.category == 0 ? texts::uncategorised
                                                 : m_catalogue.CategoryName(at.category));
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
    m_results->show(search::find(m_candidates, search::Query(m_field->text()),
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
    const int row = selectedRow();
    const int page = std::max(1, m_list->viewport()->height() /
                                     std::max(1, m_list->sizeHintForRow(0)) - 1);
    if (key->modifiers() == Qt::AltModifier && key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9) {
        choose(key->key() - Qt::Key_1);
        return true;
    }
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
