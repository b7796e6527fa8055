#pragma once

#include "catalogue/search.h"

#include <QList>
#include <QWidget>
#include <vector>

class Catalogue;
class NameReader;
class QLabel;
class QListView;
class SearchField;
class SearchResults;
class UseHistory;

namespace platform {
class ProgramIcons;
}

// The keyboard's way in: a field above the entries that match what is typed (or is being
// composed), from every category. Enter or Alt+1 … Alt+9 chooses, Esc or leaving the window
// hides it; while an input method composes, Enter and Esc are the input method's. One more view
// of the catalogue: it follows every change, and is built the first time it is asked for.
class SearchWindow : public QWidget
{
    Q_OBJECT

public:
    SearchWindow(const Catalogue &catalogue, const NameReader &readings,
                 platform::ProgramIcons &icons, UseHistory &uses, const QIcon &windowIcon);
    ~SearchWindow() override;

    // Centred on the screen under the pointer, raised and focused. When already open it stays
    // as it is and only takes the focus again.
    // activationToken: what the desktop gave to bring it to the front, if anything.
    void open(const QByteArray &activationToken = {});

    // For tests and assistive use: what the list shows now, best first.
    QList<search::Found> results() const;
    int selectedRow() const;

signals:
    // The user chose entry k of category c; the window is already hidden.
    void entryChosen(int c, int k);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void catalogueChanged();
    void prepareCandidates();
    void showResults();
    void selectRow(int row);
    void choose(int row);

    const Catalogue &m_catalogue;
    const NameReader &m_readings;
    UseHistory &m_uses;
    SearchField *m_field;
    QListView *m_list;
    QLabel *m_nothing;
    SearchResults *m_results;
    // The catalogue's entries in menu order, prepared for matching; rebuilt after a change.
    QList<search::Found> m_entries;
    std::vector<search::EntryKey> m_keys;
    QList<search::Candidate> m_candidates; // with how much each was used
    bool m_keysCurrent = false;
    bool m_usesCurrent = false;
};
