#include "catalogue/catalogue.h"
#include "presentation/searchcandidates.h"

#include <QTemporaryDir>
#include <QTest>

// The search's rows from a list and the installed applications, as ids: "c:k" for an entry.
class TestSearchCandidates : public QObject
{
    Q_OBJECT

    Catalogue m_catalogue;
    QList<platform::Application> m_applications;

    static platform::Application application(const QString &id, const QString &name,
                                             const QStringList &exec,
                                             const QList<platform::DesktopAction> &actions = {})
    {
        platform::Application found{id, {}};
        found.entry.name = name;
        found.entry.exec = exec;
        found.entry.actions = actions;
        return found;
    }

    template <typename Rows> static QStringList ids(const Rows &rows)
    {
        QStringList shown;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const SearchRow &row = rows.at(i);
            shown << (row.kind == SearchRow::Kind::Listed ? QStringLiteral("%1:%2")
                                                                .arg(row.id.listed.category)
                                                                .arg(row.id.listed.index)
                                                          : row.id.application);
        }
        return shown;
    }

    static QStringList noReadings(const QString &) { return {}; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_catalogue.rename(1, QStringLiteral("Tools")));
        QVERIFY(m_catalogue.append(1, {QStringLiteral("Mail"), QStringLiteral("/bin/mail"), {}}));
        QVERIFY(m_catalogue.append(1, {QStringLiteral("Notepad"), QStringLiteral("/bin/np"), {}}));
        QVERIFY(m_catalogue.append(0, {QStringLiteral("Padre"), QStringLiteral("/bin/padre"), {}}));
        m_applications = {
            application(QStringLiteral("mail.desktop"), QStringLiteral("Mail"), {"/bin/mail"},
                        {{"compose", "Compose", {"/bin/mail", "-c"}, {}}}),
            application(QStringLiteral("pad.desktop"), QStringLiteral("Pad Editor"), {"pad"},
                        {{"new", "New Pad", {"pad", "-n"}, {}},
                         {"open", "Open Recent", {"pad", "-r"}, {}}}),
            application(QStringLiteral("shell.desktop"), QStringLiteral("Pad Shell"),
                        {"sh", "-c", "a b"}), // no one command line
        };
        m_applications[1].entry.keywords = {QStringLiteral("new")};
    }

    void rowsAreRanked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("nothing typed: the list alone, in menu order")
            << QString() << QStringList{"1:1", "1:2", "0:1"};
        QTest::newRow("the list first, then the applications")
            << "pad"
            << QStringList{"0:1", "1:2", "pad.desktop", "pad.desktop#new", "pad.desktop#open"};
        QTest::newRow("an action found better follows its application")
            << "new" << QStringList{"pad.desktop", "pad.desktop#new", "pad.desktop#open"};
        QTest::newRow("a listed application's actions are offered, not itself")
            << "mail" << QStringList{"1:1", "mail.desktop#compose"};
        QTest::newRow("an action alone") << "comp" << QStringList{"mail.desktop#compose"};
    }

    void rowsAreRanked()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        const SearchCandidates candidates(m_catalogue, m_applications, noReadings);
        QCOMPARE(ids(candidates.find(typed, 0)), rows);
    }

    void anEmptyListOffersTheApplicationsAtOnce()
    {
        const Catalogue empty;
        const SearchCandidates candidates(empty, m_applications, noReadings);
        QVERIFY(!candidates.isEmpty());
        QCOMPARE(ids(candidates.find({}, 0)),
                 (QStringList{"mail.desktop", "mail.desktop#compose", "pad.desktop",
                              "pad.desktop#new", "pad.desktop#open"}));
        QVERIFY(SearchCandidates(empty, {}, noReadings).isEmpty());
    }

    void usesRankTheRowsButNeverAnActionAboveItsApplication()
    {
        QTemporaryDir folder;
        UseHistory uses(folder.path());
        SearchCandidates candidates(m_catalogue, m_applications, noReadings);
        QCOMPARE(ids(candidates.find(QStringLiteral("editor"), 100)),
                 (QStringList{"pad.desktop", "pad.desktop#new", "pad.desktop#open"}));
        const Entry openRecent = *applicationRows(m_applications, {}, noReadings).at(4).entry;
        uses.recordLaunch(m_catalogue.entry(1, 2), m_catalogue, 100);
        uses.recordLaunch(openRecent, m_catalogue, 100, {openRecent});
        candidates.countUses(uses);
        QCOMPARE(ids(candidates.find({}, 100)), (QStringList{"1:2", "1:1", "0:1"}));
        // Among its actions, the one used first; still below the application.
        QCOMPARE(ids(candidates.find(QStringLiteral("editor"), 100)),
                 (QStringList{"pad.desktop", "pad.desktop#open", "pad.desktop#new"}));
    }

    // The rows found are the candidates' own, shared: a window that keeps them while the
    // candidates are rebuilt still shows what it showed.
    void rowsFoundOutliveTheirCandidates()
    {
        FoundRows found;
        {
            const SearchCandidates candidates(m_catalogue, m_applications, noReadings);
            found = candidates.find(QStringLiteral("new"), 0);
        }
        QCOMPARE(ids(found), (QStringList{"pad.desktop", "pad.desktop#new", "pad.desktop#open"}));
        QCOMPARE(found.at(1).name, QStringLiteral("New Pad"));
        QCOMPARE(found.at(1).entry->ProgramPath, QStringLiteral("pad -n"));
    }

    // The picker's: every application, listed or not, each followed by its actions.
    void thePickerHasEveryApplication()
    {
        const QList<SearchRow> rows = applicationRows(m_applications, {"/bin/mail"}, noReadings);
        QCOMPARE(ids(rows), (QStringList{"mail.desktop", "mail.desktop#compose", "pad.desktop",
                                         "pad.desktop#new", "pad.desktop#open", "shell.desktop"}));
        QVERIFY(rows.at(0).listed && !rows.at(1).listed);
        QCOMPARE(rows.at(1).entry->EntryName, QStringLiteral("Mail - Compose"));
        QVERIFY(!rows.at(5).entry);
    }
};

QTEST_GUILESS_MAIN(TestSearchCandidates)
#include "testsearchcandidates.moc"
