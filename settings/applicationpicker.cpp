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
    m_rows.clear();
    const QSet<QString> listed = listedPrograms(m_editor.catalogue());
    const QList<platform::Application> &applications = m_applications.applications();
    for (qsizetype a = 0; a < applications.size(); ++a) {
        const platform::Application &application = applications.at(a);
        const auto entry = entryOf(application);
        const bool isListed = entry && listed.contains(entry->ProgramPath);
        QString text = application.entry.name;
        if (isListed)
            text += QStringLiteral("  ") + texts::alreadyListed;
        if (!application.entry.comment.isEmpty())
            text += QStringLiteral("\n") + application.entry.comment;
        auto *item =
            new QListWidgetItem(platform::applicationIcon(application.entry), text, m_list);
        item->setData(Qt::UserRole, application.id);
        item->setData(Qt::AccessibleTextRole, QString(text).replace(u'\n', u'、'));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(checked.contains(application.id) ? Qt::Checked : Qt::Unchecked);
        if (isListed)
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        m_rows.push_back({int(a)});
        appendActionRows(int(a), listed, checked);
    }
    prepareKeys();
}

// Under their application, indented, each by its name as the list will have it.
void ApplicationPicker::appendActionRows(int application, const QSet<QString> &listed,
                                         const QSet<QString> &checked)
{
    const platform::Application &owner = m_applications.applications().at(application);
    const QList<platform::DesktopAction> &actions = owner.entry.actions;
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const platform::DesktopAction &action = actions.at(i);
        const auto entry = entryOf(owner, action);
        const bool isListed = entry && listed.contains(entry->ProgramPath);
        QString text = QStringLiteral("　　") + action.name;
        if (isListed)
            text += QStringLiteral("  ") + texts::alreadyListed;
        auto *item = new QListWidgetItem(platform::applicationIcon(action.icon), text, m_list);
        const QString id = rowIdOf(owner, &action);
        item->setData(Qt::UserRole, id);
        item->setData(Qt::AccessibleTextRole,
                      texts::actionEntryName(owner.entry.name, action.name) +
                          (isListed ? texts::alreadyListed : QString()));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(checked.contains(id) ? Qt::Checked : Qt::Unchecked);
        if (isListed)
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        m_rows.push_back({application, int(i)});
    }
}

const platform::DesktopAction *ApplicationPicker::actionOf(const Row &row) const
{
    return row.action < 0
               ? nullptr
               : &m_applications.applications().at(row.application).entry.actions.at(row.action);
}

void ApplicationPicker::prepareKeys()
{
    m_keys.clear();
    for (const Row &row : m_rows) {
        const platform::Application &application =
            m_applications.applications().at(row.application);
        const platform::DesktopAction *action = actionOf(row);
        m_keys.push_back(action ? keyOf(application, *action, m_readingsOf)
                                : keyOf(application, m_readingsOf));
    }
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
        m_list->setRowHidden(row, !query.isEmpty() && !m_keys[size_t(row)].match(query));
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
    // Typing in the list goes on in the field.
    if (watched == m_list && key->key() != Qt::Key_Space && !key->text().isEmpty() &&
        key->text().at(0).isPrint()) {
        m_field->setFocus();
        m_field->event(event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ApplicationPicker::accept()
{
    QList<Entry> entries;
    QStringList names; // the checked ones, as the message names them
    QStringList leftOut;
    const QList<platform::Application> &applications = m_applications.applications();
    for (int row = 0; row < m_list->count() && size_t(row) < m_rows.size(); ++row) {
        if (m_list->item(row)->checkState() != Qt::Checked)
            continue;
        const platform::Application &application = applications.at(m_rows[size_t(row)].application);
        const platform::DesktopAction *action = actionOf(m_rows[size_t(row)]);
        const QString name = action ? texts::actionEntryName(application.entry.name, action->name)
                                    : application.entry.name;
        if (const auto entry = action ? entryOf(application, *action) : entryOf(application)) {
            entries.append(*entry);
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
