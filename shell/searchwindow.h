#pragma once

#include "presentation/searchcandidates.h"

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>

class Catalogue;
class NameReader;
class QLabel;
class SearchField;
class SearchResultList;
class SearchResults;
class SpokenStatus;
class UseHistory;

namespace platform {
class InstalledApplications;
class ProgramIcons;
} // namespace platform

// The keyboard's way in: a field above the entries that match what is typed (or is being
// composed), from every category, and below them the installed applications that match and are
// not listed yet (all of them while the list is empty), each application's own actions after it.
// Enter or Alt+1 … Alt+9 chooses, Ctrl+Enter adds the application chosen to the list, Ctrl+E
// asks to edit the row chosen, Shift+Enter starts what is typed as a command line, Esc or
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
    QList<SearchRowId> results() const;
    int selectedRow() const;

signals:
    // The user chose entry k of category c; the window is already hidden.
    void entryChosen(int c, int k);
    // The user chose an installed application, given as the entry it would be when listed;
    // the window is already hidden.
    void applicationChosen(const Entry &entry);
    // The user asked for the installed application to be listed.
    void applicationAddRequested(const Entry &entry);
    // The user asked to edit entry k of category c; the window is already hidden.
    void entryEditRequested(int c, int k);
    // The user asked to edit an installed application or its action (rowIdOf); the window is
    // already hidden.
    void applicationEditRequested(const QString &rowId);
    // The user asked for what is typed, not empty, to be started as a command line; the window
    // is already hidden.
    void commandLineTyped(const QString &commandLine);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void candidatesChanged();
    const SearchCandidates &candidates();
    void showResults();
    void selectRow(int row);
    void describeSelection();
    const SearchRow *rowAt(int row) const;
    // The row chosen, the window hidden.
    std::optional<SearchRow> hideChoosing(int row);
    void choose(int row);
    void addChosen(int row);
    void editChosen(int row);
    void startTyped();

    const Catalogue &m_catalogue;
    const NameReader &m_readings;
    platform::InstalledApplications &m_applications;
    UseHistory &m_uses;
    SearchField *m_field;
    SearchResultList *m_list;
    QLabel *m_nothing;
    QLabel *m_keysHint;
    // The first row or that none matches, told as the results change.
    std::unique_ptr<SpokenStatus> m_spoken;
    SearchResults *m_results;
    // Built when first searched in, again after a change of what it is built from.
    std::optional<SearchCandidates> m_candidates;
    std::optional<QString> m_shownQuery; // none when the window opens
};
