#include "settings/applicationpicker.h"

#include "catalogue/editor.h"
#include "dialogs/searchfield.h"
#include "platform/desktop/installedapplications.h"
#include "platform/desktop/messageboxes.h"
#include "presentation/categorynames.h"
#include "presentation/refusals.h"
#include "settings/categorybox.h"
#include "texts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// An application's name over its description; an action's set in under its application.
QString shownText(const SearchRow &row)
{
    const QString name = texts::pickerRowName(row.name, row.listed);
    if (row.kind == SearchRow::Kind::Action)
        return texts::pickerActionIndent + name;
    return row.comment.isEmpty() ? name : name + u'\n' + row.comment;
}

// An action by the name it will have in the list.
QString spokenText(const SearchRow &row)
{
    if (row.kind == SearchRow::Kind::Action)
        return texts::actionEntryName(row.category, row.name) +
               (row.listed ? texts::alreadyListed : QString());
    const QString name = texts::pickerRowName(row.name, row.listed);
    return row.comment.isEmpty() ? name : texts::searchRowName(name, row.comment);
}

} // namespace

ApplicationPicker::ApplicationPicker(CatalogueEditor &editor, int category,
                                     platform::InstalledApplications &applications,
                                     ReadingsOf readingsOf, platform::MessageBoxes &messages,
                                     QWidget *parent)
    : QDialog(parent), m_editor(editor), m_applications(applications),
      m_readingsOf(std::move(readingsOf)), m_messages(messages), m_field(new SearchField),
      m_category(new QComboBox), m_list(new QListWidget), m_status(new QLabel)
{
    setWindowTitle(texts::addApplicationsTitle);
    const Catalogue &catalogue = editor.catalogue();
    for (int c = 0; c < Catalogue::CategoryCount; ++c)
        m_category->addItem(shownCategoryName(catalogue, c));
    m_category->setCurrentIndex(category);
    m_list->setAccessibleName(texts::pickerListName);
    m_list->setIconSize(QSize(24, 24));
    m_list->setUniformItemSizes(true);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setEnabled(false);

    auto *buttons = new QDialogButtonBox;
    QPushButton *add = buttons->addButton(texts::addButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(texts::cancelButton, QDialogButtonBox::RejectRole);
    add->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *fields = new QFormLayout;
    fields->addRow(texts::pickerFieldName, m_field);
    fields->addRow(texts::pickerCategory, m_category);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status, 1);
    layout->addWidget(buttons);
    resize(520, 440);

    m_field->installEventFilter(this);
    m_list->installEventFilter(this);
    connect(m_field, &SearchField::queryChanged, this, &ApplicationPicker::filter);
    connect(&applications, &platform::InstalledApplications::changed, this,
            &ApplicationPicker::fillList);
    fillList();
    applications.load();
    m_field->setFocus();
}

void ApplicationPicker::fillList()
{
    // Checks survive a new reading of the folders.
    QSet<QString> checked;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->checkState() == Qt::Checked)
            checked.insert(m_list->item(row)->data(Qt::UserRole).toString());
    }
    m_list->clear();
    m_rows = rows();
    for (const SearchRow &row : std::as_const(m_rows)) {
        auto *item =
            new QListWidgetItem(platform::applicationIcon(row.icon), shownText(row), m_list);
        item->setData(Qt::UserRole, row.id.application);
        item->setData(Qt::AccessibleTextRole, spokenText(row));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(checked.contains(row.id.application) ? Qt::Checked : Qt::Unchecked);
        if (row.listed)
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    }
    filter();
}

QList<SearchRow> ApplicationPicker::rows() const
{
    return applicationRows(m_applications.applications(), listedPrograms(m_editor.catalogue()),
                           m_readingsOf);
}

void ApplicationPicker::prepareKeys()
{
    m_rows = rows(); // the same rows, found by the readings now known too
    filter();
}

void ApplicationPicker::tick(const QString &rowId)
{
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem *item = m_list->item(row);
        if (item->data(Qt::UserRole).toString() != rowId)
            continue;
        item->setCheckState(Qt::Checked);
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
        return;
    }
}

void ApplicationPicker::filter()
{
    const search::Query query(m_field->query());
    for (int row = 0; row < m_list->count(); ++row)
        m_list->setRowHidden(row, !query.isEmpty() && !m_rows.at(row).key.match(query));
    const int first = firstShownRow();
    m_list->setCurrentRow(first);
    const bool any = first >= 0;
    m_status->setText(!m_applications.loaded() ? texts::pickerReading : texts::pickerNone);
    m_status->setVisible(!any);
    m_list->setVisible(any);
}

int ApplicationPicker::firstShownRow() const
{
    for (int row = 0; row < m_list->count(); ++row) {
        if (!m_list->isRowHidden(row))
            return row;
    }
    return -1;
}

bool ApplicationPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    // Down from the field goes into the list, where Space checks the row; Up from its first row
    // back to the field.
    if (watched == m_field && key->key() == Qt::Key_Down && !m_field->isComposing()) {
        m_list->setFocus();
        return true;
    }
    if (watched == m_list && key->key() == Qt::Key_Up && m_list->currentRow() == firstShownRow()) {
        m_field->setFocus();
        return true;
    }
    // Space checks the row.
    if (watched == m_list && key->key() != Qt::Key_Space && m_field->typeOn(key))
        return true;
    return QDialog::eventFilter(watched, event);
}

void ApplicationPicker::accept()
{
    QList<Entry> entries;
    QStringList names; // the checked ones, as the message names them
    QStringList leftOut;
    for (int row = 0; row < m_list->count() && row < m_rows.size(); ++row) {
        if (m_list->item(row)->checkState() != Qt::Checked)
            continue;
        const SearchRow &checked = m_rows.at(row);
        const QString name = checked.kind == SearchRow::Kind::Action
                                 ? texts::actionEntryName(checked.category, checked.name)
                                 : checked.name;
        if (checked.entry) {
            entries.append(*checked.entry);
            names.append(name);
        } else {
            leftOut.append(texts::leftOutBecause(name, texts::noCommandLine));
        }
    }
    const QList<editing::Outcome> outcomes =
        m_editor.addEntries(m_category->currentIndex(), entries);
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        if (!outcomes.at(i).wasMade())
            leftOut.append(
                texts::leftOutBecause(names.at(i), refusalText(outcomes.at(i).reason())));
    }
    QDialog::accept();
    if (!leftOut.isEmpty())
        m_messages.show(texts::applicationsLeftOut(leftOut), texts::addApplicationsTitle);
}
