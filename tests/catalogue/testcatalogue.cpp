#include "catalogue/catalogue.h"
#include "catalogue/editing.h"
#include "catalogue/editor.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(editing::Outcome)

namespace {

// What the model tells its observers, in order, with the entry as an observer then reads it.
struct Told : QStringList
{
    explicit Told(const Catalogue &catalogue)
    {
        const auto name = [&catalogue](int c, int k) {
            return catalogue.entry(c, k).EntryName;
        };
        QObject::connect(&catalogue, &Catalogue::entryAppended, [&catalogue, name, this](int c) {
            append(QStringLiteral("appended %1 %2").arg(c).arg(name(c, catalogue.EntryCount(c))));
        });
        QObject::connect(&catalogue, &Catalogue::entryChanged, [name, this](int c, int k) {
            append(QStringLiteral("changed %1 %2 %3").arg(c).arg(k).arg(name(c, k)));
        });
        QObject::connect(&catalogue, &Catalogue::entryRemoved, [name, this](int c, int k) {
            append(QStringLiteral("removed %1 %2 then %3").arg(c).arg(k).arg(name(c, k)));
        });
        QObject::connect(&catalogue, &Catalogue::entriesSwapped, [name, this](int c, int k, int q) {
            append(QStringLiteral("swapped %1 %2 %3 %4").arg(c).arg(k).arg(q).arg(name(c, k)));
        });
        QObject::connect(&catalogue, &Catalogue::categoryRenamed, [&catalogue, this](int c) {
            append(QStringLiteral("renamed %1 %2").arg(c).arg(catalogue.CategoryName(c)));
        });
        QObject::connect(&catalogue, &Catalogue::replaced, [&catalogue, this] {
            append(QStringLiteral("replaced %1").arg(catalogue.EntryCount(1)));
        });
    }
};

QStringList names(const Catalogue &catalogue, int c)
{
    QStringList result;
    for (int k = 1; k <= catalogue.EntryCount(c); ++k)
        result.append(catalogue.entry(c, k).EntryName);
    return result;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

    static Entry named(const QString &name) { return {name, name + QStringLiteral(".sh"), {}}; }

private slots:

    void appendStopsAtNinetyNine()
    {
        Catalogue catalogue;
        for (int k = 1; k <= 99; ++k)
            QVERIFY(catalogue.append(4, named(QString::number(k))));
        QVERIFY(catalogue.isFull(4));
        QVERIFY(!catalogue.append(4, named(QStringLiteral("100"))));
        QCOMPARE(catalogue.EntryCount(4), 99);
        QCOMPARE(catalogue.entry(4, 99).EntryName, QStringLiteral("99"));
    }

    void positionZeroAndOutsideReadEmpty()
    {
        Catalogue catalogue;
        QVERIFY(catalogue.append(2, named(QStringLiteral("A"))));
        QCOMPARE(catalogue.entry(2, 0), Entry());
        QCOMPARE(catalogue.entry(2, 2), Entry());
        QCOMPARE(catalogue.entry(8, 1), Entry());
        QCOMPARE(catalogue.entry(-1, 1), Entry());
        QCOMPARE(catalogue.EntryCount(8), 0);
    }

    void categoryZeroKeepsNoName()
    {
        Catalogue catalogue;
        QVERIFY(!catalogue.rename(0, QStringLiteral("x")));
        QVERIFY(catalogue.CategoryName(0).isEmpty());
        QVERIFY(catalogue.rename(7, QString()));
        QVERIFY(catalogue.CategoryName(7).isEmpty());
    }

    void eachChangeIsToldOnceAfterItIsMadeAndARefusalNotAtAll()
    {
        Catalogue catalogue;
        Told told(catalogue);
        QSignalSpy changes(&catalogue, &Catalogue::changed);
        QVERIFY(catalogue.append(2, named("A")));
        QVERIFY(catalogue.append(2, named("B")));
        QVERIFY(catalogue.replace(2, 1, named("C")));
        QVERIFY(catalogue.swap(2, 1, 2));
        QVERIFY(catalogue.remove(2, 1));
        QVERIFY(catalogue.rename(3, QStringLiteral("ﾂｰﾙ")));

        QVERIFY(!catalogue.append(8, named("X")));
        QVERIFY(!catalogue.replace(2, 2, named("X")));
        QVERIFY(!catalogue.remove(2, 0));
        QVERIFY(!catalogue.swap(2, 1, 2));
        QVERIFY(!catalogue.rename(0, QStringLiteral("X")));
        CatalogueContents tooMany;
        for (int k = 0; k <= Catalogue::MaxEntries; ++k)
            tooMany.lines.append({1, named(QString::number(k))});
        QVERIFY(!catalogue.replaceAll(tooMany));
        tooMany.lines = {{8, named("X")}};
        QVERIFY(!catalogue.replaceAll(tooMany));
        QCOMPARE(names(catalogue, 2), QStringList{"C"});

        CatalogueContents contents = Catalogue::defaultContents();
        contents.lines = {{1, named("P")}, {0, named("Q")}, {1, named("R")}};
        QVERIFY(catalogue.replaceAll(contents));
        QCOMPARE(told,
                 (QStringList{"appended 2 A", "appended 2 B", "changed 2 1 C", "swapped 2 1 2 B",
                              "removed 2 1 then C", "renamed 3 ﾂｰﾙ", "replaced 2"}));
        QCOMPARE(changes.count(), told.size());
        // Lines of one category keep their order; the whole catalogue reads back grouped.
        QCOMPARE(names(catalogue, 1), (QStringList{"P", "R"}));
        QCOMPARE(names(catalogue, 2), QStringList());
        QCOMPARE(catalogue.CategoryName(3), QStringLiteral("項目3"));
        contents.lines = {{0, named("Q")}, {1, named("P")}, {1, named("R")}};
        QCOMPARE(catalogue.contents(), contents);
    }

    // Which refusal each edit gives, checked in the window's order, and which entry it hits.
    void editingRules_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("row");
        QTest::addColumn<Entry>("fields");
        QTest::addColumn<editing::Outcome>("outcome");
        QTest::addColumn<QStringList>("after");
        using enum editing::Refusal;
        const editing::Outcome made = editing::Outcome::made();
        const Entry d{"D", "/d", ""};
        const QStringList abc{"A", "B", "C"};
        QTest::newRow("add") << "add" << 1 << -1 << d << made << QStringList{"A", "B", "C", "D"};
        QTest::newRow("add, full before empty fields")
            << "add" << 2 << -1 << Entry() << editing::Outcome(CatalogueFull) << QStringList();
        QTest::newRow("add, no name")
            << "add" << 1 << -1 << Entry{"", "/d", ""} << editing::Outcome(FieldsEmpty) << abc;
        QTest::newRow("add, no program before a bad name")
            << "add" << 1 << -1 << Entry{"\"", "", ""} << editing::Outcome(FieldsEmpty) << abc;
        for (const Entry &bad :
             {Entry{"é", "/d", ""}, Entry{"D", "/d\t", ""}, Entry{"D", "/d", "😀"}})
            QTest::addRow("add, unusable %s",
                          qPrintable(bad.EntryName + bad.ProgramPath + bad.WorkFolder))
                << "add" << 1 << -1 << bad << editing::Outcome(UnusableCharacters) << abc;
        QTest::newRow("change") << "change" << 1 << 1 << d << made << QStringList{"A", "D", "C"};
        QTest::newRow("change, none selected before empty fields")
            << "change" << 1 << -1 << Entry() << editing::Outcome(NothingSelected) << abc;
        QTest::newRow("change, row past the end")
            << "change" << 1 << 3 << d << editing::Outcome(NothingSelected) << abc;
        QTest::newRow("change, empty fields")
            << "change" << 1 << 0 << Entry{"A", "", ""} << editing::Outcome(FieldsEmpty) << abc;
        QTest::newRow("delete") << "delete" << 1 << 0 << d << made << QStringList{"B", "C"};
        QTest::newRow("delete, none selected")
            << "delete" << 1 << -1 << d << editing::Outcome(NothingSelected) << abc;
        QTest::newRow("rename") << "rename" << 1 << -1 << Entry{"ﾂｰﾙ", "", ""} << made << abc;
        QTest::newRow("rename, category 0") << "rename" << 0 << -1 << Entry{"x", "", ""}
                                            << editing::Outcome(CategoryUnnamed) << QStringList();
        QTest::newRow("rename, unusable") << "rename" << 1 << -1 << Entry{"a\"b", "", ""}
                                          << editing::Outcome(UnusableCharacters) << abc;
        // Never from the window, and refused in release builds too.
        for (const char *edit : {"add", "change", "delete", "rename"})
            QTest::addRow("%s, no such category", edit)
                << edit << Catalogue::CategoryCount << 0 << d << editing::Outcome(NoSuchCategory)
                << QStringList();
        QTest::newRow("move down") << "down" << 1 << 0 << d << made << QStringList{"B", "A", "C"};
        QTest::newRow("move up") << "up" << 1 << 2 << d << made << QStringList{"A", "C", "B"};
        QTest::newRow("move up from the top")
            << "up" << 1 << 0 << d << editing::Outcome(NothingSelected) << abc;
        QTest::newRow("move down from the bottom")
            << "down" << 1 << 2 << d << editing::Outcome(NothingSelected) << abc;
        QTest::newRow("move with none selected")
            << "down" << 1 << -1 << d << editing::Outcome(NothingSelected) << abc;
    }

    void editingRules()
    {
        QFETCH(QString, edit);
        QFETCH(int, category);
        QFETCH(int, row);
        QFETCH(Entry, fields);
        QFETCH(editing::Outcome, outcome);
        QFETCH(QStringList, after);

        Catalogue catalogue;
        CatalogueContents contents = Catalogue::defaultContents();
        for (const char *name : {"A", "B", "C"})
            contents.lines.append({1, named(QString::fromLatin1(name))});
        for (int k = 1; k <= Catalogue::MaxEntries; ++k)
            contents.lines.append({2, named(QString::number(k))});
        QVERIFY(catalogue.replaceAll(contents));
        Told told(catalogue);
        int saves = 0;
        CatalogueEditor editor(catalogue, [&saves] { ++saves; });

        editing::Outcome result = editing::Outcome::made();
        if (edit == "add") {
            result = editor.addEntry(category, fields);
        } else if (edit == "change") {
            result = editor.changeEntry(category, row, fields);
        } else if (edit == "delete") {
            result = editor.deleteEntry(category, row);
        } else if (edit == "rename") {
            result = editor.renameCategory(category, fields.EntryName);
        } else {
            // A move is refused silently: it tells the new row, or nothing.
            const int step = edit == "up" ? -1 : +1;
            const auto moved = editor.moveEntry(category, row, step);
            result = moved ? editing::Outcome::made()
                           : editing::Outcome(editing::Refusal::NothingSelected);
            if (moved)
                QCOMPARE(*moved, row + step);
        }
        QCOMPARE(result, outcome);
        QCOMPARE(told.size(), outcome.wasMade() ? 1 : 0);
        QCOMPARE(saves, outcome.wasMade() ? 1 : 0);
        QCOMPARE(editor.canUndo(), outcome.wasMade());
        if (category != 2 && Catalogue::isCategory(category))
            QCOMPARE(names(catalogue, category), after);
        if (edit == "rename" && outcome.wasMade())
            QCOMPARE(catalogue.CategoryName(category), fields.EntryName);
        // The state kept for undo is the one before the change, for every kind of change.
        if (outcome.wasMade()) {
            QVERIFY(editor.undo());
            QCOMPARE(catalogue.contents(), contents);
        }
    }

    void aBatchIsOneStepAndOneSave()
    {
        Catalogue catalogue;
        QVERIFY(catalogue.replaceAll(Catalogue::defaultContents()));
        int saves = 0;
        CatalogueEditor editor(catalogue, [&saves] { ++saves; });
        const QList<editing::Outcome> outcomes =
            editor.addEntries(3, {named("A"), named("B\""), named("C")});
        QCOMPARE(outcomes, (QList<editing::Outcome>{editing::Outcome::made(),
                                                    editing::Refusal::UnusableCharacters,
                                                    editing::Outcome::made()}));
        QCOMPARE(names(catalogue, 3), (QStringList{"A", "C"}));
        QCOMPARE(saves, 1);
        QVERIFY(editor.undo());
        QCOMPARE(catalogue.EntryCount(3), qint16(0));
        QVERIFY(!editor.canUndo());
        QCOMPARE(saves, 2);
        // Nothing made, nothing saved or to undo.
        editor.addEntries(3, {named("\"")});
        QCOMPARE(saves, 2);
        QVERIFY(editor.canRedo());
    }

    void undoReachesBackAHundredChanges()
    {
        Catalogue catalogue;
        QVERIFY(catalogue.replaceAll(Catalogue::defaultContents()));
        CatalogueEditor editor(catalogue, [] {});
        for (int i = 0; i < CatalogueHistory::MaxSteps + 5; ++i)
            QVERIFY(editor.renameCategory(1, QString::number(i)).wasMade());
        int undone = 0;
        while (editor.undo())
            ++undone;
        QCOMPARE(undone, CatalogueHistory::MaxSteps);
        QCOMPARE(catalogue.CategoryName(1), QStringLiteral("4"));
    }

    void storableText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("storable");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("blank") << QStringLiteral(" ") << true;
        QTest::newRow("japanese and half-width kana") << QStringLiteral("ﾒﾓ帳 テスト") << true;
        QTest::newRow("comma") << QStringLiteral("a,b") << true;
        QTest::newRow("NEC extension") << QStringLiteral("①Ⅹ㈱ⅰ") << true;
        QTest::newRow("IBM extension") << QStringLiteral("纊褜") << true;
        QTest::newRow("user-defined") << QString(QChar(0xE000)) << true;
        QTest::newRow("double quote") << QStringLiteral("say \"hi\"") << false;
        QTest::newRow("line feed") << QStringLiteral("a\nb") << false;
        QTest::newRow("carriage return") << QStringLiteral("a\rb") << false;
        QTest::newRow("tab") << QStringLiteral("a\tb") << false;
        QTest::newRow("delete") << QStringLiteral("a\x7f") << false;
        QTest::newRow("accented") << QStringLiteral("é") << false;
        QTest::newRow("emoji") << QStringLiteral("😀") << false;
        QTest::newRow("simplified chinese") << QStringLiteral("这") << false;
    }

    void storableText()
    {
        QFETCH(QString, text);
        QFETCH(bool, storable);
        QCOMPARE(Catalogue::isStorableText(text), storable);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "testcatalogue.moc"
