#include "catalogue/cataloguefile.h"
#include "platform/system/codec.h"
#ifdef Q_OS_UNIX
#include "support/unprivileged.h"
#include <sys/stat.h>
#endif

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
using testsupport::ChildEnd;
#endif

namespace {

QByteArray cp932(const QString &text)
{
    return *platform::encodeCp932(text);
}

const QByteArray defaultFile = cp932(QStringLiteral(
    "\"Format Ver.1.0\"\r\n\"項目1\"\r\n\"項目2\"\r\n\"項目3\"\r\n\"項目4\"\r\n\"項目5\"\r\n"
    "\"項目6\"\r\n\"項目7\"\r\n"));

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestCatalogueFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString cfgPath() const { return m_dir.filePath(QStringLiteral("launch.cfg")); }

    // What a load tells, in order: the file found good, then the model's notifications.
    LoadResult load(Catalogue &catalogue, QStringList *events = nullptr)
    {
        QStringList told;
        const auto record = [&told](const char *event) {
            return [&told, event] {
                told.append(QLatin1String(event));
            };
        };
        const QMetaObject::Connection replaced =
            connect(&catalogue, &Catalogue::replaced, this, record("replaced"));
        const LoadResult result =
            CatalogueFile(m_dir.path()).LoadCatalogue(catalogue, record("accepted"));
        disconnect(replaced);
        if (events)
            *events = told;
        return result;
    }

private slots:
    void init()
    {
        // A fresh folder for each case, open to the unprivileged user the child processes use.
        m_dir.~QTemporaryDir();
        new (&m_dir) QTemporaryDir();
        QVERIFY(m_dir.isValid());
        QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7777));
    }

    void createsTheDefaultFileWhenNoneExists()
    {
        Catalogue catalogue;
        QStringList events;
        QCOMPARE(load(catalogue, &events), LoadResult::Created);
        QCOMPARE(readAll(cfgPath()), defaultFile);
        QCOMPARE(events, (QStringList{"accepted", "replaced"}));
        QCOMPARE(catalogue.CategoryName(7), QStringLiteral("項目7"));
        for (int c = 0; c < Catalogue::CategoryCount; ++c)
            QCOMPARE(catalogue.EntryCount(c), 0);
    }

    void writesTheNineLineExampleExactly()
    {
        Catalogue catalogue;
        for (int i = 1; i < Catalogue::CategoryCount; ++i)
            QVERIFY(catalogue.rename(i, Catalogue::defaultCategoryName(i)));
        QVERIFY(catalogue.append(2, {"A", "B", ""}));
        QVERIFY(CatalogueFile(m_dir.path()).SaveCatalogue(catalogue));
        QCOMPARE(readAll(cfgPath()), defaultFile + "2,\"A\",\"B\",\"\"\r\n");
    }

    void roundTripsEveryKindOfText()
    {
        Catalogue saved;
        QVERIFY(saved.rename(1, QStringLiteral("ﾂｰﾙ,ｶﾅ")));
        QVERIFY(saved.rename(2, QString()));
        QVERIFY(saved.rename(3, QStringLiteral("①Ⅹ㈱ⅰ 纊褜 \uE000\uE757")));
        QVERIFY(saved.append(0, {QStringLiteral("メモ帳"),
                                 QStringLiteral("/usr/bin/editor --new, file"), QString()}));
        QVERIFY(saved.append(3, {QStringLiteral(" "), QStringLiteral("C:\\Program Files\\a.exe"),
                                 QStringLiteral("C:\\")}));
        QVERIFY(saved.append(7, {QString(), QString(), QStringLiteral("/tmp/ﾌｫﾙﾀﾞ")}));
        QVERIFY(CatalogueFile(m_dir.path()).SaveCatalogue(saved));

        Catalogue loaded;
        QCOMPARE(load(loaded), LoadResult::Read);
        for (int c = 0; c < Catalogue::CategoryCount; ++c) {
            QCOMPARE(loaded.CategoryName(c), saved.CategoryName(c));
            QCOMPARE(loaded.EntryCount(c), saved.EntryCount(c));
            for (int k = 1; k <= saved.EntryCount(c); ++k)
                QCOMPARE(loaded.entry(c, k), saved.entry(c, k));
        }
        // Saving what was read gives the same bytes again.
        const QByteArray first = readAll(cfgPath());
        QVERIFY(CatalogueFile(m_dir.path()).SaveCatalogue(loaded));
        QCOMPARE(readAll(cfgPath()), first);
    }

    void interleavedLinesLoadInFileOrderAndSaveGrouped()
    {
        writeAll(cfgPath(),
                 defaultFile +
                     "3,\"c1\",\"p\",\"\"\r\n0,\"z1\",\"p\",\"\"\r\n3,\"c2\",\"p\",\"\"\r\n");
        Catalogue catalogue;
        QStringList events;
        QCOMPARE(load(catalogue, &events), LoadResult::Read);
        QCOMPARE(events, (QStringList{"accepted", "replaced"}));
        QCOMPARE(catalogue.entry(3, 2).EntryName, QStringLiteral("c2"));
        QVERIFY(CatalogueFile(m_dir.path()).SaveCatalogue(catalogue));
        QCOMPARE(readAll(cfgPath()),
                 defaultFile +
                     "0,\"z1\",\"p\",\"\"\r\n3,\"c1\",\"p\",\"\"\r\n3,\"c2\",\"p\",\"\"\r\n");
    }

    void loadsNinetyNineEntriesPerCategory()
    {
        QByteArray bytes = defaultFile;
        for (int c = 0; c < Catalogue::CategoryCount; ++c)
            for (int k = 1; k <= 99; ++k)
                bytes +=
                    QByteArray::number(c) + ",\"" + QByteArray::number(k) + "\",\"p\",\"\"\r\n";
        writeAll(cfgPath(), bytes);
        Catalogue catalogue;
        QCOMPARE(load(catalogue), LoadResult::Read);
        for (int c = 0; c < Catalogue::CategoryCount; ++c)
            QCOMPARE(catalogue.EntryCount(c), 99);
    }

    void readsLenientLineEndings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray entry = "1,\"A\",\"B\",\"\"";
        QTest::newRow("no final line end") << defaultFile + entry;
        QTest::newRow("LF only") << QByteArray(defaultFile + entry + "\r\n").replace("\r\n", "\n");
        QTest::newRow("blank lines") << "\r\n" + defaultFile + "\r\n\r\n" + entry + "\r\n\r\n";
    }

    void readsLenientLineEndings()
    {
        QFETCH(QByteArray, bytes);
        writeAll(cfgPath(), bytes);
        Catalogue catalogue;
        QCOMPARE(load(catalogue), LoadResult::Read);
        QCOMPARE(catalogue.EntryCount(1), 1);
        QCOMPARE(catalogue.entry(1, 1), (Entry{"A", "B", ""}));
        QCOMPARE(catalogue.CategoryName(7), QStringLiteral("項目7"));
    }

    void refusesDamagedFilesAndLeavesThemAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray hundred = defaultFile;
        for (int k = 1; k <= 100; ++k)
            hundred += "6,\"x\",\"p\",\"\"\r\n";
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("marker in other case")
            << QByteArray(defaultFile).replace("Format", "format");
        QTest::newRow("older marker") << QByteArray(defaultFile).replace("1.0", "0.9");
        QTest::newRow("unquoted marker")
            << QByteArray(defaultFile).replace("\"Format Ver.1.0\"", "Format Ver.1.0");
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + defaultFile;
        QTest::newRow("six names")
            << defaultFile.left(defaultFile.lastIndexOf(cp932(QStringLiteral("\"項目7"))));
        QTest::newRow("category 8") << defaultFile + "8,\"a\",\"b\",\"\"\r\n";
        QTest::newRow("category -1") << defaultFile + "-1,\"a\",\"b\",\"\"\r\n";
        QTest::newRow("category 03") << defaultFile + "03,\"a\",\"b\",\"\"\r\n";
        QTest::newRow("quoted category") << defaultFile + "\"3\",\"a\",\"b\",\"\"\r\n";
        QTest::newRow("three fields") << defaultFile + "3,\"a\",\"b\"\r\n";
        QTest::newRow("five fields") << defaultFile + "3,\"a\",\"b\",\"\",\"\"\r\n";
        QTest::newRow("100th entry") << hundred;
        QTest::newRow("invalid byte") << defaultFile + "3,\"a\x80\",\"b\",\"\"\r\n";
        QTest::newRow("truncated double byte") << defaultFile + "3,\"a\",\"b\",\"\x82";
        QTest::newRow("text after closing quote") << defaultFile + "3,\"a\"x,\"b\",\"\"\r\n";
        QTest::newRow("unterminated quote") << defaultFile + "3,\"a,\"b\",\"\"\r\n";
        QTest::newRow("unquoted text") << defaultFile + "3,a,\"b\",\"\"\r\n";
        QTest::newRow("tab inside text") << defaultFile + "3,\"a\tb\",\"b\",\"\"\r\n";
        QTest::newRow("NUL byte") << defaultFile + QByteArray("3,\"a\0b\",\"b\",\"\"\r\n", 17);
        QTest::newRow("two fields on a name line")
            << QByteArray(defaultFile)
                   .replace(cp932(QStringLiteral("\"項目3\"")),
                            cp932(QStringLiteral("\"項目3\",\"x\"")));
    }

    void refusesDamagedFilesAndLeavesThemAlone()
    {
        QFETCH(QByteArray, bytes);
        writeAll(cfgPath(), bytes);
        Catalogue catalogue;
        QStringList events;
        QCOMPARE(load(catalogue, &events), LoadResult::VersionFailed);
        QCOMPARE(events, QStringList()); // nothing is told of a file that is not good
        QCOMPARE(readAll(cfgPath()), bytes);
    }

    void findsTheFileInAnyLetterCase()
    {
        const QString upper = m_dir.filePath(QStringLiteral("LAUNCH.CFG"));
        writeAll(upper, defaultFile + "0,\"A\",\"B\",\"\"\r\n");
        Catalogue catalogue;
        QCOMPARE(load(catalogue), LoadResult::Read);
        QCOMPARE(catalogue.EntryCount(0), 1);
        QVERIFY(catalogue.append(0, {"C", "D", ""}));
        QVERIFY(CatalogueFile(m_dir.path()).SaveCatalogue(catalogue));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"LAUNCH.CFG"});
        QVERIFY(readAll(upper).endsWith("0,\"C\",\"D\",\"\"\r\n"));
    }

    void exactNameWinsOverOtherCases()
    {
        writeAll(m_dir.filePath(QStringLiteral("Launch.cfg")), "garbage");
        writeAll(cfgPath(), defaultFile);
        QCOMPARE(CatalogueFile(m_dir.path()).path(), cfgPath());
        Catalogue catalogue;
        QCOMPARE(load(catalogue), LoadResult::Read);
    }

    void refusesAnythingButARegularFileOfCatalogueSize_data()
    {
        QTest::addColumn<QString>("kind");
#ifdef Q_OS_UNIX
        QTest::newRow("FIFO, never waited on") << "fifo";
        QTest::newRow("link to a device") << "device";
#endif
        QTest::newRow("sparse file over the cap") << "huge";
    }

    void refusesAnythingButARegularFileOfCatalogueSize()
    {
        QFETCH(QString, kind);
        if (kind == QLatin1String("fifo")) {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(cfgPath()).constData(), 0600), 0);
#endif
        } else if (kind == QLatin1String("device")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), cfgPath()));
        } else {
            writeAll(cfgPath(), defaultFile);
            QVERIFY(QFile::resize(cfgPath(), MaxCatalogueFileBytes + 1));
        }
        Catalogue catalogue;
        QCOMPARE(load(catalogue), LoadResult::OpenFailed);
        if (kind == QLatin1String("huge"))
            QCOMPARE(QFileInfo(cfgPath()).size(), MaxCatalogueFileBytes + 1);
    }

    void saveRefusesTextsTheFileCannotHold()
    {
        writeAll(cfgPath(), defaultFile);
        for (const QString &bad :
             {QStringLiteral("a\"b"), QStringLiteral("a\r\nb"), QStringLiteral("😀")}) {
            Catalogue catalogue;
            QVERIFY(catalogue.append(0, {bad, "p", ""}));
            QVERIFY(!CatalogueFile(m_dir.path()).SaveCatalogue(catalogue));
            QCOMPARE(readAll(cfgPath()), defaultFile);
        }
    }

    // An outside change that cannot be kept aside (here every name for it is taken) is not
    // overwritten: the save fails, and the next one, with a name free, keeps it and saves.
    void anOutsideChangeIsKeptOrNothingIsSaved()
    {
        writeAll(cfgPath(), defaultFile);
        Catalogue catalogue;
        CatalogueFile file(m_dir.path());
        QCOMPARE(file.LoadCatalogue(catalogue), LoadResult::Read);
        const QByteArray outside = defaultFile + "0,\"outside\",\"p\",\"\"\r\n";
        writeAll(cfgPath(), outside);
        QStringList taken;
        const QDateTime now = QDateTime::currentDateTime();
        for (int second = 0; second < 5; ++second) {
            const QString stem = cfgPath() + QStringLiteral(".changed-") +
                                 now.addSecs(second).toString(QStringLiteral("yyyyMMdd-HHmmss"));
            for (int n = 1; n < 100; ++n)
                taken << (n == 1 ? stem : stem + u'-' + QString::number(n));
        }
        for (const QString &name : std::as_const(taken))
            writeAll(name, "taken");

        QVERIFY(catalogue.append(1, {"mine", "q", ""}));
        QVERIFY(!file.SaveCatalogue(catalogue));
        QCOMPARE(readAll(cfgPath()), outside);
        QCOMPARE(file.takeKeptCopy(), QString());

        for (const QString &name : std::as_const(taken))
            QVERIFY(QFile::remove(name));
        QVERIFY(file.SaveCatalogue(catalogue));
        QCOMPARE(readAll(file.takeKeptCopy()), outside);
        QCOMPARE(readAll(cfgPath()), defaultFile + "1,\"mine\",\"q\",\"\"\r\n");
    }

    void saveKeepsThePermissionsOfTheFile()
    {
        writeAll(cfgPath(), defaultFile);
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QVERIFY(QFile::setPermissions(cfgPath(), mode));
        Catalogue catalogue;
        QVERIFY(catalogue.append(1, {"A", "B", ""}));
        QVERIFY(CatalogueFile(m_dir.path()).SaveCatalogue(catalogue));
        // Owner, group and others; Qt's extra "user" bits depend on who runs the test.
        QCOMPARE(QFile::permissions(cfgPath()) & QFileDevice::Permissions(0x7077), mode);
    }

    void failedSavesLeaveTheOldFileWhole_data()
    {
        QTest::addColumn<bool>("readOnlyFile");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<long>("sizeLimit");
        QTest::addColumn<bool>("killed");
        QTest::newRow("read-only file") << true << false << 0L << false;
        QTest::newRow("unwritable folder") << false << true << 0L << false;
        QTest::newRow("disk full part-way") << false << false << 200L << false;
        QTest::newRow("killed part-way") << false << false << 200L << true;
    }

    void failedSavesLeaveTheOldFileWhole()
    {
#ifndef Q_OS_UNIX
        QSKIP("runs a child process as another user: POSIX only");
#else
        QFETCH(bool, readOnlyFile);
        QFETCH(bool, readOnlyFolder);
        QFETCH(long, sizeLimit);
        QFETCH(bool, killed);

        writeAll(cfgPath(), defaultFile);
        QVERIFY(testsupport::chownToUnprivileged(qPrintable(cfgPath())));
        if (readOnlyFile)
            QVERIFY(
                QFile::setPermissions(cfgPath(), QFileDevice::ReadOwner | QFileDevice::ReadOther));
        if (readOnlyFolder)
            QVERIFY(QFile::setPermissions(m_dir.path(),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther));

        const QString folder = m_dir.path();
        const ChildEnd end = testsupport::runInChild(
            [folder] {
                Catalogue catalogue;
                for (int k = 1; k <= 20; ++k) {
                    if (!catalogue.append(0,
                                          {QStringLiteral("entry %1").arg(k), "program", "folder"}))
                        return true; // not what the case expects: it fails
                }
                return CatalogueFile(folder).SaveCatalogue(catalogue);
            },
            true, sizeLimit, killed);

        QCOMPARE(end, killed ? ChildEnd::Killed : ChildEnd::Failed);
        QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7777));
        QCOMPARE(readAll(cfgPath()), defaultFile);
        // Only a kill leaves the temporary behind, and the next start removes it.
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files.size(), killed ? 2 : 1);
        CatalogueFile(folder).removeLeftovers();
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"launch.cfg"});
#endif
    }

    void unreadableOrUncreatableFileFailsToOpen()
    {
#ifndef Q_OS_UNIX
        QSKIP("runs a child process as another user: POSIX only");
#else
        // An existing file that cannot be read.
        writeAll(cfgPath(), defaultFile);
        QVERIFY(QFile::setPermissions(cfgPath(), QFileDevice::WriteOwner));
        const QString folder = m_dir.path();
        auto loadFails = [folder] {
            Catalogue catalogue;
            return CatalogueFile(folder).LoadCatalogue(catalogue) == LoadResult::OpenFailed;
        };
        QCOMPARE(testsupport::runInChild(loadFails, true), ChildEnd::Succeeded);

        // No file, in a folder where none can be created.
        QFile::remove(cfgPath());
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
        QCOMPARE(testsupport::runInChild(loadFails, true), ChildEnd::Succeeded);
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
        QVERIFY(!QFile::exists(cfgPath()));
#endif
    }
};

QTEST_GUILESS_MAIN(TestCatalogueFile)
#include "testcataloguefile.moc"
