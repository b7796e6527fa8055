#include "catalogue/namereadings.h"
#include "catalogue/search.h"
#include "catalogue/usehistory.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using search::MatchKind;

namespace {
constexpr int noMatch = -1;
}

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void matching_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("dictionary");
        // romaji: a Reading of the name's own kana, so found with no dictionary at all; reading:
        // one that needs the dictionary, so found only with it.
        constexpr int exact = int(MatchKind::ExactName), prefix = int(MatchKind::NamePrefix),
                      word = int(MatchKind::WordStart), inside = int(MatchKind::Substring),
                      romaji = -2, reading = int(MatchKind::Reading),
                      other = int(MatchKind::ProgramOrCategory);
        const auto row = [](const char *tag, const char *query, const char *name, int kind,
                            const char *program = "/usr/bin/x", const char *category = "項目1",
                            bool dictionary = true) {
            const auto add = [&](const QByteArray &rowTag, int rowKind, bool withDictionary) {
                QTest::newRow(rowTag.constData())
                    << QString::fromUtf8(query) << QString::fromUtf8(name)
                    << QString::fromUtf8(program) << QString::fromUtf8(category) << rowKind
                    << withDictionary;
            };
            if (kind == romaji)
                return add(tag, reading, false);
            add(tag, kind, dictionary);
            if (kind == reading)
                add(QByteArray(tag) + ", no dictionary", noMatch, false);
        };
        // Widths, case and kana.
        row("the name itself", "めも", "ﾒﾓ", exact);
        row("the name, blanks aside", "text　 edit", "Text Edit", exact);
        row("half-width as typed", "ﾒﾓ", "ﾒﾓ帳", prefix);
        row("full-width katakana", "メモ", "ﾒﾓ帳", prefix);
        row("hiragana", "めも", "ﾒﾓ帳", prefix);
        row("full-width Latin", "ＡＢＣ", "abc ﾂｰﾙ", prefix);
        row("case", "EDIT", "editor", prefix);
        row("voiced mark apart", "ｶﾞｲﾄﾞ", "ガイド", exact);
        row("combining mark", "か\u3099", "ｶﾞｲﾄﾞ", prefix);
        row("access key", "ed", "&Editor", prefix);
        row("doubled ampersand", "r&d", "R&&D ﾉｰﾄ", prefix);
        // Where in the name.
        row("kanji after kana", "帳", "ﾒﾓ帳", word);
        row("after a space", "edit", "Text Edit", word);
        row("camel case", "edit", "TextEdit", word);
        row("inside a word", "ﾓ", "ﾒﾓ帳", inside);
        // Romaji, Hepburn and kunrei.
        row("memo", "memo", "ﾒﾓ帳", romaji);
        row("full-width romaji", "ＭＥＭＯ", "ﾒﾓ帳", romaji);
        row("ending inside a kana", "mem", "ﾒﾓ帳", romaji);
        row("shi", "shisutemu", "ｼｽﾃﾑ設定", romaji);
        row("si", "sisutemu", "ｼｽﾃﾑ設定", romaji);
        row("tsu", "tsu-ru", "ﾂｰﾙ", romaji);
        row("tu, long vowel as a vowel", "tuuru", "ﾂｰﾙ", romaji);
        row("long vowel left out", "meru", "ﾒｰﾙ", romaji);
        row("fu with a small vowel", "fairu", "ﾌｧｲﾙ", romaji);
        row("hu", "huxairu", "ﾌｧｲﾙ", romaji);
        row("doubled consonant", "koppu", "ｺｯﾌﾟ", romaji);
        row("tch", "matchi", "ﾏｯﾁ", romaji);
        row("n", "tenki", "ﾃﾝｷ予報", romaji);
        row("nn", "tennki", "ﾃﾝｷ予報", romaji);
        row("sha", "shatta", "ｼｬｯﾀｰ", romaji);
        row("sya", "syatta", "ｼｬｯﾀｰ", romaji);
        row("ja", "janpu", "ｼﾞｬﾝﾌﾟ", romaji);
        row("zya", "zyanpu", "ｼﾞｬﾝﾌﾟ", romaji);
        row("from the middle", "pu", "ｼﾞｬﾝﾌﾟ", romaji);
        row("not from inside a kana", "emo", "ﾒﾓ帳", noMatch);
        // Readings of kanji, from the dictionary.
        row("kanji by hiragana", "でんたく", "電卓", reading);
        row("kanji by katakana", "ﾃﾞﾝﾀｸ", "電卓", reading);
        row("kanji by romaji", "dentaku", "電卓", reading);
        row("kanji by kunrei", "tanmatu", "端末", reading);
        row("kanji then katakana", "gazoubyuua", "画像ビューア", reading);
        row("the kana after kanji, from the middle", "byu-a", "画像ビューア", romaji);
        row("as pronounced", "gazo-", "画像ビューア", reading);
        row("half-width katakana after kanji", "settei", "設定ﾂｰﾙ", reading);
        row("kana then kanji", "memochou", "ﾒﾓ帳", reading);
        row("a wrong reading", "denwa", "電卓", noMatch);
        // Typed with an input method, key by key: romaji not yet made kana begins the next one.
        row("dentaku: ｄ", "ｄ", "電卓", reading);
        row("dentaku: で", "で", "電卓", reading);
        row("dentaku: でｎ", "でｎ", "電卓", reading);
        row("dentaku: でん", "でん", "電卓", reading);
        row("dentaku: でんｔ", "でんｔ", "電卓", reading);
        row("dentaku: でんた", "でんた", "電卓", reading);
        row("dentaku: でんたｋ", "でんたｋ", "電卓", reading);
        row("memo: ｍ", "ｍ", "ﾒﾓ帳", romaji);
        row("memo: め", "め", "ﾒﾓ帳", prefix);
        row("memo: めｍ", "めｍ", "ﾒﾓ帳", prefix);
        row("half-width tail after katakana", "ﾃﾞﾝt", "電卓", reading);
        row("a tail of two letters", "めもch", "ﾒﾓ帳", reading);
        row("a tail in the category's reading", "かいh", "xterm", other, "/usr/bin/xterm",
            "開発ﾂｰﾙ");
        row("Latin letters of the name itself", "ｶﾞｲﾄﾞv", "ｶﾞｲﾄﾞv2", prefix);
        row("a tail that is not the next kana", "でt", "電卓", noMatch);
        row("a tail that begins no kana", "でｑ", "電卓", noMatch);
        row("a tail after kanji", "電t", "電卓", noMatch);
        row("a long tail", ("で" + QByteArray(10000, 'n')).constData(), "電卓", noMatch);
        row("category read", "kaihatsu", "xterm", other, "/usr/bin/xterm", "開発ﾂｰﾙ");
        row("no dictionary: kanji as characters", "電卓", "電卓", exact, "/usr/bin/x", "項目1",
            false);
        row("no dictionary: no reading", "dentaku", "電卓", noMatch, "/usr/bin/x", "項目1", false);
        // Words.
        row("spaces around", "\u3000 memo  ", "ﾒﾓ帳", romaji);
        row("words in any order", "ﾂｰﾙ　めも", "ﾒﾓ帳", other, "/usr/bin/x", "ﾂｰﾙ");
        row("every word must match", "memo zzz", "ﾒﾓ帳", noMatch);
        row("as bad as the worst word", "めも dentaku", "ﾒﾓ帳 電卓", reading);
        // The program's file name and the category.
        row("program file name", "gedit", "ｴﾃﾞｨﾀ", other, "/usr/bin/gedit");
        row("Windows program", "notepad", "ﾒﾓ帳", other, "C:\\WINDOWS\\notepad.exe");
        row("not the program's folder", "bin", "ｴﾃﾞｨﾀ", noMatch, "/usr/bin/gedit");
        row("category", "ﾂｰﾙ", "xterm", other, "/usr/bin/xterm", "ﾂｰﾙ");
        row("category in romaji", "tsuru", "xterm", other, "/usr/bin/xterm", "ﾂｰﾙ");
        // Whatever is typed.
        row("nothing alike", "zzz", "ﾒﾓ帳", noMatch);
        row("emoji", "😀", "😀ｱﾌﾟﾘ", prefix);
        row("the name twice", "ﾒﾓ帳 ﾒﾓ帳", "ﾒﾓ帳", prefix);
        row("a long paste", QString(10000, u'm').toUtf8().constData(), "ﾒﾓﾒﾓ", noMatch);
        row("a name too long to read to its end", "meme",
            QString(40000, u'め').toUtf8().constData(), romaji);
    }

    void matching()
    {
        QFETCH(QString, query);
        QFETCH(QString, name);
        QFETCH(QString, program);
        QFETCH(QString, category);
        QFETCH(int, kind);
        QFETCH(bool, dictionary);
        const QTemporaryDir cache;
        const readings::NameReadings read = readings::readNames(
            {name, category}, cache.filePath(QStringLiteral("readings")),
            dictionary ? QString() : cache.filePath(QStringLiteral("no-dictionary")));
        const auto found =
            search::EntryKey(name, program, category, read.value(name), read.value(category))
                .match(search::Query(query));
        QCOMPARE(found ? int(*found) : noMatch, kind);
    }

    // Keys made together share what they have alike, and only that: the same name read otherwise,
    // with another program or in another category, matches as its own.
    void keysMadeTogetherKeepWhatIsTheirOwn()
    {
        search::EntryKeys keys;
        const QString calculator = QStringLiteral("電卓");
        const search::EntryKey read =
            keys.make(calculator, QStringLiteral("/bin/calc"), QStringLiteral("ﾂｰﾙ"),
                      {QStringLiteral("デンタク")});
        const search::EntryKey unread =
            keys.make(calculator, QStringLiteral("/bin/xcalc"), QStringLiteral("電子"), {},
                      {QStringLiteral("デンシ")});
        const auto kind = [](const search::EntryKey &key, const char *typed) {
            const auto found = key.match(search::Query(QString::fromUtf8(typed)));
            return found ? int(*found) : noMatch;
        };
        QCOMPARE(kind(read, "dentaku"), int(search::MatchKind::Reading));
        QCOMPARE(kind(unread, "dentaku"), noMatch);
        QCOMPARE(kind(unread, "電卓"), int(search::MatchKind::ExactName));
        QCOMPARE(kind(unread, "xcalc"), int(search::MatchKind::ProgramOrCategory));
        QCOMPARE(kind(read, "xcalc"), noMatch);
        QCOMPARE(kind(unread, "densi"), int(search::MatchKind::ProgramOrCategory));
        QCOMPARE(kind(read, "densi"), noMatch);
        QCOMPARE(kind(read, "ﾂｰﾙ"), int(search::MatchKind::ProgramOrCategory));
    }

    // A start reads its names from the cache, not the dictionary; a cache that is not sound is
    // rebuilt, never trusted.
    void readingsCache_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::newRow("sound") << QByteArray();
        const auto utf16 = [](const char *text) {
            const QString line = QString::fromUtf8(text);
            return QByteArray(reinterpret_cast<const char *>(line.utf16()), line.size() * 2);
        };
        QTest::newRow("not ours") << QByteArray("\xff\xfe{{{");
        QTest::newRow("an empty reading") << utf16("Quorvel readings 2\n電卓\t\n");
        QTest::newRow("cut short") << utf16("Quorvel readings 2\n電卓\tデン");
        QTest::newRow("an older format") << QByteArray(R"({"format":1,"readings":{}})");
        QTest::newRow("huge") << QByteArray(readings::maxCacheBytes + 2, ' ');
        QTest::newRow("a folder") << QByteArray("folder");
    }

    void readingsCache()
    {
        QFETCH(QByteArray, damage);
        const QTemporaryDir folder;
        const QString cache = folder.filePath(QStringLiteral("cache/readings"));
        const QString missing = folder.filePath(QStringLiteral("no-dictionary"));
        const QStringList names{QStringLiteral("電卓"), QStringLiteral("端末")};
        const readings::NameReadings fresh = readings::readNames(names, cache);
        QCOMPARE(fresh.value(names.at(0)), QStringList{QStringLiteral("デンタク")});

        if (damage == "folder") {
            QVERIFY(QFile::remove(cache) && QDir().mkpath(cache));
        } else if (!damage.isEmpty()) {
            QFile file(cache);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(damage) == damage.size());
        }
        // Without a dictionary only a sound cache can give the readings.
        QCOMPARE(readings::readNames(names, cache, missing),
                 damage.isEmpty() ? fresh : readings::NameReadings());
        QCOMPARE(readings::readNames(names, cache), fresh);
        if (damage != "folder")
            QCOMPARE(readings::readNames(names, cache, missing), fresh); // rebuilt
    }

    // 792 long names: the cache holds as many as its reader takes, and the next start reads
    // those from it and does not write it again.
    void aFullCacheIsReadBack()
    {
        const QTemporaryDir folder;
        const QString cache = folder.filePath(QStringLiteral("readings"));
        const QString kanji = QStringLiteral("電卓端末画像設定東京時計計算機表示編集管理音楽");
        QStringList names;
        for (int i = 0; i < 792; ++i) {
            QString name = QString::number(i);
            while (name.size() < 1000)
                name += kanji.at((name.size() * 7 + i) % kanji.size());
            names << name;
        }
        const readings::NameReadings fresh = readings::readNames(names, cache);
        QCOMPARE(fresh.size(), names.size());
        const qint64 size = QFileInfo(cache).size();
        QVERIFY2(size <= readings::maxCacheBytes && size > readings::maxCacheBytes * 9 / 10,
                 QByteArray::number(size));

        const QDateTime written = QDateTime::currentDateTimeUtc().addDays(-1);
        QFile file(cache);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(written, QFileDevice::FileModificationTime));
        file.close();
        const readings::NameReadings again =
            readings::readNames(names, cache, folder.filePath(QStringLiteral("no-dictionary")));
        QVERIFY2(again.size() > 600 && again.size() < names.size(),
                 QByteArray::number(again.size()));
        for (qsizetype i = 0; i < again.size(); ++i)
            QCOMPARE(again.value(names.at(i)), fresh.value(names.at(i)));
        QCOMPARE(QFileInfo(cache).lastModified(), written);
    }

    // Keys made one after another share a category's forms: each must still be found by its own
    // category as named and read when it was made, as when the readings arrive after a first build.
    void eachKeyKeepsItsOwnCategory()
    {
        const QString program = QStringLiteral("/usr/bin/x");
        const QString tools = QStringLiteral("開発"), games = QStringLiteral("ゲーム");
        const search::EntryKey unread(QStringLiteral("a"), program, tools);
        const search::EntryKey read(QStringLiteral("a"), program, tools, {},
                                    {QStringLiteral("かいはつ")});
        const search::EntryKey other(QStringLiteral("a"), program, games);
        const search::EntryKey readAgain(QStringLiteral("a"), program, tools, {},
                                         {QStringLiteral("かいはつ")});
        const search::Query byReading(QStringLiteral("kaihatsu"));
        QVERIFY(!unread.match(byReading));
        QVERIFY(read.match(byReading));
        QVERIFY(readAgain.match(byReading));
        QVERIFY(other.match(search::Query(QStringLiteral("げーむ"))));
        QVERIFY(!other.match(byReading) && !read.match(search::Query(QStringLiteral("げーむ"))));
    }

    void rankingByMatchThenUseThenMenuOrder()
    {
        const qint64 now = 1'800'000'000;
        const QStringList names{"ﾒﾓ帳", "ﾃｷｽﾄ ﾒﾓ", "ｶﾝﾀﾝﾒﾓ", "ﾒﾓﾘ診断", "memory", "ﾒﾓ帳2"};
        std::vector<search::EntryKey> keys;
        for (const QString &name : names)
            keys.emplace_back(name, QStringLiteral("/usr/bin/x"), QStringLiteral("項目1"));
        QList<search::Candidate> candidates;
        for (int i = 0; i < int(names.size()); ++i)
            candidates.append({1, i + 1, &keys[size_t(i)]});
        // ﾒﾓ帳2 used often lately, ﾒﾓﾘ診断 once long ago.
        candidates[5].uses = 5;
        candidates[5].lastUsed = now - 3600;
        candidates[3].uses = 1;
        candidates[3].lastUsed = now - 400 * 86400;

        const auto order = [&](const char *query) {
            QList<int> indexes;
            for (const search::Found &found :
                 search::find(candidates, search::Query(QString::fromUtf8(query)), now))
                indexes << found.index;
            return indexes;
        };
        // Prefixes (by use: ﾒﾓ帳2, ﾒﾓﾘ診断, then ﾒﾓ帳), the word start, the substring.
        QCOMPARE(order("めも"), (QList<int>{6, 4, 1, 2, 3}));
        // memory by its letters first, then the romaji readings.
        QCOMPARE(order("memo"), (QList<int>{5, 6, 4, 1, 2, 3}));
        // Nothing typed: the most recently used first, then menu order.
        QCOMPARE(order(""), (QList<int>{6, 4, 1, 2, 3, 5}));
    }

    // Two entries, each launched at the given ages in days (negative: a clock set ahead), ranked
    // for a query from the use file as written and read again: which comes first.
    void usesCountLessAsTheyAge_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QList<int>>("aUses");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QList<int>>("bUses");
        QTest::addColumn<QString>("first");
        const auto daily = [](int from, int to) {
            QList<int> ages;
            for (int age = from; age <= to; ++age)
                ages << age;
            return ages;
        };
        QTest::newRow("this week beats daily until two months ago")
            << "ed"
            << "Editor A" << daily(60, 360) << "Editor B" << daily(1, 5) << "Editor B";
        QTest::newRow("a month daily beats one use today")
            << "ed"
            << "Editor A" << daily(1, 30) << "Editor B" << QList<int>{0} << "Editor A";
        QTest::newRow("an exact name beats any use")
            << "memo"
            << "memo" << QList<int>() << "memo pad" << daily(0, 99) << "memo";
        QTest::newRow("a use dated ahead counts as one made now")
            << "ed"
            << "Editor A" << QList<int>{-3650} << "Editor B" << QList<int>{1, 2} << "Editor B";
        QTest::newRow("daily for years, long ago, counts as nothing")
            << "ed"
            << "Editor A" << daily(4000, 5000) << "Editor B" << QList<int>{90} << "Editor B";
        QTest::newRow("nothing typed: the latest use first")
            << ""
            << "Editor A" << daily(2, 60) << "Editor B" << QList<int>{1} << "Editor B";
    }

    void usesCountLessAsTheyAge()
    {
        QFETCH(QString, query);
        QFETCH(QString, a);
        QFETCH(QList<int>, aUses);
        QFETCH(QString, b);
        QFETCH(QList<int>, bUses);
        const qint64 now = 1'800'000'000;
        const QTemporaryDir folder;
        Catalogue catalogue;
        const Entry entries[] = {{a, QStringLiteral("/bin/a"), {}},
                                 {b, QStringLiteral("/bin/b"), {}}};
        for (const Entry &entry : entries)
            QVERIFY(catalogue.append(0, entry));
        QList<std::pair<int, int>> launches; // age, entry
        for (int age : aUses)
            launches.append({age, 0});
        for (int age : bUses)
            launches.append({age, 1});
        std::sort(launches.begin(), launches.end(), std::greater<>());
        {
            UseHistory written(folder.path());
            for (const auto &[age, entry] : launches)
                written.recordLaunch(entries[entry], catalogue, now - age * 86400);
        }
        UseHistory read(folder.path());
        std::vector<search::EntryKey> keys;
        QList<search::Candidate> candidates;
        for (int i = 0; i < 2; ++i)
            keys.emplace_back(entries[i].EntryName, entries[i].ProgramPath, QString());
        for (int i = 0; i < 2; ++i) {
            const UseHistory::Use use = read.use(entries[i]);
            candidates.append({0, i + 1, &keys[size_t(i)], use.uses, use.lastUsed});
        }
        const QList<search::Found> found = search::find(candidates, search::Query(query), now);
        QCOMPARE(found.size(), 2);
        QTEST(entries[found.first().index - 1].EntryName, "first");
    }

    // The file of the version before, which kept a count: its uses are read, as at most what
    // daily use comes to; a file with more entries than it holds keeps those used most.
    void earlierAndFullUseFilesAreRead()
    {
        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("quorvel-uses.txt"));
        const auto hashOf = [](const Entry &entry) {
            return QCryptographicHash::hash(entry.EntryName.toUtf8() + '\0' +
                                                entry.ProgramPath.toUtf8(),
                                            QCryptographicHash::Sha1)
                .toHex();
        };
        const auto write = [&](const QByteArray &bytes) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        const Entry old{QStringLiteral("old"), QStringLiteral("/bin/old"), {}};
        write("quorvel uses 1\n" + hashOf(old) + "\t5000\t1700000000\n");
        UseHistory earlier(folder.path());
        QCOMPARE(earlier.use(old).lastUsed, 1'700'000'000);
        QVERIFY(earlier.use(old).uses > 20 && earlier.use(old).uses < 21);

        Catalogue catalogue;
        QList<Entry> others;
        QByteArray full = "quorvel uses 2\n";
        for (int i = 0; i < 3500; ++i) {
            others.append({QString::number(i), QStringLiteral("/bin/x"), {}});
            full += hashOf(others.last()) + '\t' + QByteArray::number(i + 1) + "\t1800000000\n";
        }
        write(full);
        const Entry launched{QStringLiteral("new"), QStringLiteral("/bin/new"), {}};
        others.append(launched);
        UseHistory history(folder.path());
        QCOMPARE(history.use(others.at(0)).uses, 1.0);
        history.recordLaunch(launched, catalogue, 1'800'000'000, others);
        UseHistory again(folder.path());
        QCOMPARE(again.use(others.at(3499)).uses, 3500.0);
        QCOMPARE(again.use(others.at(500)).uses, 0.0); // used less, left out
        QCOMPARE(again.use(others.at(501)).uses, 502.0);
        QCOMPARE(again.use(launched).uses, 1.0); // kept, though used as little
        QVERIFY(QFileInfo(path).size() < 256 * 1024);
    }
};

QTEST_MAIN(TestSearch)
#include "testsearch.moc"
