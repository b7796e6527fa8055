#pragma once

#include "catalogue/search.h"
#include "platform/desktop/applications.h"
#include "shell/searchresults.h"

#include <QList>
#include <QWidget>
#include <memory>
#include <vector>

class Catalogue;
class NameReader;
class QLabel;
class SearchField;
class SearchResultList;
class SpokenStatus;
class UseHistory;

namespace platform {
class InstalledApplications;
class ProgramIcons;
} // namespace platform

// The keyboard's way in: a field above the entries that match what is typed (or is being
// composed), from every category, and below them the installed applications that match and are
// not listed yet (all of them while the list is empty), each application's own actions after it.
// Enter or Alt+1 … Alt+9 chooses, Ctrl+Enter adds the application chosen to the list, Esc or
// leaving the window hides it; while an input method composes, Enter and Esc are the input
// method's. One more view of the catalogue: it follows every change, and is built the first time it
// is asked for.
class SearchWindow : public QWidget
{
    Q_OBJECT

public:
    SearchWindow(const Catalogue &catalogue, const NameReader &readings,
                 platform::InstalledApplications &applications, platform::ProgramIcons &icons,
                 UseHistory &uses, const QIcon &windowIcon);
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
    // The user chose an installed application, given as the entry it would be when listed;
    // the window is already hidden.
    void applicationChosen(const Entry &entry);
    // The user asked for the installed application to be listed.
    void applicationAddRequested(const Entry &entry);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void catalogueChanged();
    void prepareCandidates();
    void prepareOffered();
    void prepareOfferedActions(const QSet<QString> &listed);
    QList<search::Found> belowTheirApplications(QList<search::Found> rows) const;
    void showResults();
    void selectRow(int row);
    void describeSelection();
    QString identityOf(int row) const;
    void choose(int row);
    void addChosen(int row);
    const Entry *offeredAt(int row) const;

    const Catalogue &m_catalogue;
    const NameReader &m_readings;
    platform::InstalledApplications &m_applications;
    UseHistory &m_uses;
    SearchField *m_field;
    SearchResultList *m_list;
    QLabel *m_nothing;
    QLabel *m_addHint;
    // The first row or that none matches, told as the results change.
    std::unique_ptr<SpokenStatus> m_spoken;
    SearchResults *m_results;
    // The catalogue's entries in menu order, prepared for matching; rebuilt after a change.
    QList<search::Found> m_entries;
    std::vector<search::EntryKey> m_keys;
    QList<search::Candidate> m_candidates; // with how much each was used
    // The installed applications not listed, and each as the entry it would be.
    QList<platform::Application> m_offered;
    QList<Entry> m_offeredEntries;
    // The actions of all applications, listed or not, that are not listed themselves.
    QList<platform::Application> m_applicationsRead;
    QList<SearchResults::ActionRow> m_actions;
    QList<Entry> m_actionEntries;
    // The offered applications' keys, then their actions'; their candidates in the same order.
    std::vector<search::EntryKey> m_offeredKeys;
    QList<search::Candidate> m_offeredCandidates;
    std::optional<QString> m_shownQuery; // none when the window opens
    bool m_keysCurrent = false;
    bool m_usesCurrent = false;
    bool m_offeredCurrent = false;
};
