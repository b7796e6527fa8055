#pragma once

#include "presentation/searchcandidates.h"

#include <QDialog>

class CatalogueEditor;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class SearchField;

namespace platform {
class InstalledApplications;
class MessageBoxes;
} // namespace platform

// "ｱﾌﾟﾘｹｰｼｮﾝの追加": the installed applications with a check box each, each followed by its own
// actions, found as in the search window. "追加" appends the checked ones to the chosen category
// as one edit; those that cannot be added are named in one message.
class ApplicationPicker : public QDialog
{
    Q_OBJECT

public:
    // category: the one the box shows first, the settings window's.
    ApplicationPicker(CatalogueEditor &editor, int category,
                      platform::InstalledApplications &applications, ReadingsOf readingsOf,
                      platform::MessageBoxes &messages, QWidget *parent);

    // For tests: the rows as shown, the list's and the field.
    QListWidget *list() const { return m_list; }
    SearchField *field() const { return m_field; }
    QComboBox *categoryBox() const { return m_category; }

    // Ticks the row of the application, or of its action (rowIdOf), and makes it current.
    void tick(const QString &rowId);

    void accept() override;
    // Prepares the rows for matching; again when the readings of names in kanji arrive.
    void prepareKeys();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillList();
    QList<SearchRow> rows() const;
    void filter();
    int firstShownRow() const;

    CatalogueEditor &m_editor;
    platform::InstalledApplications &m_applications;
    const ReadingsOf m_readingsOf;
    platform::MessageBoxes &m_messages;
    SearchField *m_field;
    QComboBox *m_category;
    QListWidget *m_list;
    QLabel *m_status;
    QList<SearchRow> m_rows; // as the list shows them
};
