#include "fakes/gridfixtures.h"
#include "grids/cardcode.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"
#include "grids/gridgenerator.h"
#include "platform/clock.h"
#include "platform/randomsource.h"

#include <QCryptographicHash>
#include <QSet>
#include <QTest>
#include <QThread>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;

namespace {
class StillClock : public Clock
{
public:
    QDateTime now() const override { return {}; }
    quint64 ticks() const override { return 7; }
};

QByteArray digest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Every rule a generated grid keeps.
void checkGrid(const Grid& grid)
{
    int numbers = 0;
    for (int r = 1; r <= 3; ++r) {
        int inRow = 0;
        for (int c = 1; c <= 9; ++c) {
            const int n = grid.at(r, c);
            if (n == 0)
                continue;
            ++inRow;
            const int low = c == 1 ? 1 : 10 * (c - 1);
            const int high = c == 9 ? 90 : 10 * c - 1;
            QVERIFY2(n >= low && n <= high, qPrintable(QString::number(n)));
        }
        QCOMPARE(inRow, 5);
        numbers += inRow;
    }
    QCOMPARE(numbers, 15);
    QCOMPARE(gridFault(grid), QString()); // the readers' check takes it as sound
    for (int c = 1; c <= 9; ++c) {
        int previous = 0;
        for (int r = 1; r <= 3; ++r) {
            if (const int n = grid.at(r, c)) {
                QVERIFY(n > previous);
                previous = n;
            }
        }
    }
}
} // namespace

class TestGridFile : public QObject
{
    Q_OBJECT

private:
    SeededRandom m_random{2001};
    StillClock m_clock;

    QString build(const AppFolder& app, int count, const QString& name,
                  const std::function<void(int)>& progress = {})
    {
        const QString path = app.gridPath(name);
        GridFileBuilder(app.appPath(), m_random, m_clock).build(count, path, progress);
        return path;
    }

    QList<GridSheet> sheetsOf(const QString& path)
    {
        QList<GridSheet> sheets;
        GridFile file(path, GridFile::Access::ReadOnly);
        file.forEachSheet([&](const GridSheet& sheet) { sheets.append(sheet); });
        return sheets;
    }

private slots:
    void fourGridsMakeOneFullSheet()
    {
        AppFolder app;
        const QString path = build(app, 4, u"4-01-01-2001.DAT"_s);
        const QList<GridSheet> sheets = sheetsOf(path);
        QCOMPARE(sheets.size(), 1);
        QCOMPARE(sheets[0].grille, 1);
        QCOMPARE(sheets[0].numbers,
                 (std::array<QString, 4>{u"00001"_s, u"00002"_s, u"00003"_s, u"00004"_s}));
        int cells = 0;
        for (const Grid& grid : sheets[0].grids) {
            checkGrid(grid);
            cells +=
                int(std::count_if(grid.cells.begin(), grid.cells.end(), [](int n) { return n; }));
        }
        QCOMPARE(cells, 60);
        // Nothing but the finished file is left in the folder.
        QCOMPARE(app.grillesEntries(), QStringList{u"4-01-01-2001.DAT"_s});
    }

    void tenThousandGridsKeepEveryRule()
    {
        AppFolder app;
        QList<int> progress;
        bool elsewhere = false;
        const QString path = build(app, 10000, u"10000-02-02-2000.DAT"_s, [&](int g) {
            progress.append(g);
            elsewhere |= QThread::currentThread() != thread(); // a GUI is only told on its own
        });
        QVERIFY(!elsewhere);
        QCOMPARE(progress.size(), 10000);
        QCOMPARE(progress.first(), 1);
        QCOMPARE(progress.last(), 10000);
        const QList<GridSheet> sheets = sheetsOf(path);
        QCOMPARE(sheets.size(), 2500);
        QSet<QString> numbers;
        for (int s = 1; s <= sheets.size(); ++s) {
            const GridSheet& sheet = sheets[s - 1];
            QCOMPARE(sheet.grille, 4 * s - 3); // numeric order: 13 comes after 9
            for (int k = 0; k < 4; ++k) {
                QCOMPARE(sheet.numbers[std::size_t(k)], gridNumberText(4 * s - 3 + k));
                numbers.insert(sheet.numbers[std::size_t(k)]);
                checkGrid(sheet.grids[std::size_t(k)]);
            }
        }
        QCOMPARE(numbers.size(), 10000);
        QCOMPARE(sheets.last().grille, 9997);
        QCOMPARE(sheets.last().numbers[3], u"10000"_s);
    }

    void theFileHoldsTheGridsInTheOrderDrawn()
    {
        // 251 sheets: the last ones do not make a whole batch of the writer's.
        AppFolder app;
        SeededRandom random(4242);
        const QString path = app.gridPath(u"1004-01-01-2001.DAT"_s);
        GridFileBuilder(app.appPath(), random, m_clock).build(1004, path, {});
        SeededRandom again(4242);
        GridGenerator generator(again, m_clock);
        const QList<GridSheet> sheets = sheetsOf(path);
        QCOMPARE(sheets.size(), 251);
        for (const GridSheet& sheet : sheets)
            for (const Grid& grid : sheet.grids)
                QCOMPARE(grid.cells, generator.makeGrid().cells);
    }

    void aWriteFailureStopsTheDrawingAndLeavesNothing_data()
    {
        QTest::addColumn<bool>("halfWay");
        QTest::addColumn<QString>("message");
        QTest::newRow("damaged template")
            << false << u"Le modèle des fichiers de grilles est endommagé"_s;
        QTest::newRow("insert refused half-way") << true << u"a échoué"_s;
    }

    void aWriteFailureStopsTheDrawingAndLeavesNothing()
    {
        QFETCH(bool, halfWay);
        QFETCH(QString, message);
        AppFolder app;
        const QString path = build(app, 8, u"10000-01-01-2001.DAT"_s);
        const QByteArray before = digest(path);
        const QString templatePath = app.appPath() + u"Loto1.dat"_s;
        QFile::setPermissions(templatePath,
                              QFile::permissions(templatePath) | QFileDevice::WriteOwner);
        if (halfWay) {
            // The engine refuses the rows past the 500th sheet, as a full disk would.
            SQLite::Database db(templatePath.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("CREATE TRIGGER full BEFORE INSERT ON TIRAGE WHEN NEW.GRILLE > 2000 "
                    "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        } else {
            QFile damaged(templatePath);
            QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write(QByteArray(4096, 'x'));
        }
        int drawn = 0;
        try {
            build(app, 10000, u"10000-01-01-2001.DAT"_s, [&](int) { ++drawn; });
            QFAIL("the failure was swallowed");
        } catch (const GridFileError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        // The drawing stopped soon after the writing did, not at the end.
        QVERIFY2(drawn < 5000, qPrintable(QString::number(drawn)));
        QCOMPARE(digest(path), before);
        QCOMPARE(app.grillesEntries(), QStringList{u"10000-01-01-2001.DAT"_s});
    }

    void gridsAreFoundInEachSlot()
    {
        AppFolder app;
        const QString path = build(app, 100, u"100-25-12-2000.DAT"_s);
        GridFile file(path, GridFile::Access::ReadOnly);
        QCOMPARE(file.sheetCount(), 25);
        const auto at = [&](const QString& text) {
            return file.findGrid(text);
        };
        QCOMPARE(at(u"00001"_s)->slot, 1);
        QCOMPARE(at(u"00004"_s)->slot, 4);
        QCOMPARE(at(u"00042"_s)->grille, 41);
        QCOMPARE(at(u"00042"_s)->slot, 2);
        QCOMPARE(at(u"00100"_s)->grille, 97);
        QCOMPARE(at(u"00100"_s)->slot, 4);
        for (const QString& absent : {u"00000"_s, u"00101"_s, u"42"_s, u"abc"_s, u"' OR '1'='1"_s,
                                      u"00042'; DROP TABLE TIRAGE; --"_s})
            QVERIFY2(!at(absent), qPrintable(absent));
        QCOMPARE(file.sheetCount(), 25);
        // Grid 6 of an 8-grid file sits in NUMERO28..54 of the second sheet.
        const GridSheet second = *file.readSheet(5);
        QCOMPARE(second.numbers[1], u"00006"_s);
        QVERIFY(!file.readSheet(2));
    }

    void theLastMatchingSlotWins()
    {
        AppFolder app;
        const QString path = build(app, 4, u"4-01-01-2001.DAT"_s);
        {
            GridFile file(path, GridFile::Access::ReadWrite);
            GridSheet odd = *file.readSheet(1);
            odd.grille = 5;
            odd.numbers = {u"00009"_s, u"00001"_s, u"00009"_s, u"00007"_s};
            file.appendSheet(odd);
            file.close();
        }
        GridFile file(path, GridFile::Access::ReadOnly);
        QCOMPARE(file.findGrid(u"00009"_s)->slot, 3);
        QCOMPARE(file.findGrid(u"00001"_s)->slot, 2);
        QCOMPARE(file.findGrid(u"00001"_s)->grille, 5);
    }

    void readingNeverChangesTheFile()
    {
        AppFolder app;
        const QString path = build(app, 8, u"8-01-01-2001.DAT"_s);
        const QByteArray before = digest(path);
        {
            GridFile file(path, GridFile::Access::ReadOnly);
            QVERIFY(file.findGrid(u"00006"_s));
            QVERIFY(file.readSheet(5));
            file.close();
        }
        QCOMPARE(digest(path), before);
        QCOMPARE(app.grillesEntries().size(), 1);
    }

    void eachFileKeepsItsOwnSecretForTheCardCodes()
    {
        AppFolder app;
        const QString first = build(app, 8, u"8-01-01-2001.DAT"_s);
        const QString second = build(app, 8, u"8-02-01-2001.DAT"_s);
        const auto secretOf = [](const QString& path) {
            GridFile file(path, GridFile::Access::ReadOnly);
            return file.cardSecret();
        };
        QVERIFY(secretOf(first) && secretOf(second));
        QCOMPARE(secretOf(first)->size(), CardCode::SecretBytes);
        QVERIFY(*secretOf(first) != *secretOf(second));

        // A file made before cards carried codes gets its secret once, and
        // the grids the players hold are untouched by it.
        const QString old = app.gridPath(u"4-03-01-2001.DAT"_s);
        QVERIFY(QFile::copy(first, old));
        QString fingerprint;
        {
            SQLite::Database db(old.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("DROP TABLE CODE_CONTROLE");
        }
        {
            GridFile file(old, GridFile::Access::ReadWrite);
            QVERIFY(!file.cardSecret());
            fingerprint = file.checkWhole(8);
            const QByteArray made = file.ensureCardSecret();
            QCOMPARE(file.ensureCardSecret(), made);
            QCOMPARE(file.checkWhole(8), fingerprint);
        }
        GridFile file(old, GridFile::Access::ReadOnly);
        QVERIFY(file.cardSecret());
        QCOMPARE(file.checkWhole(8), fingerprint);
    }

    void theCardCodeIsTheKeyedHashOfTheGrid()
    {
        // Worked out apart from the program (Python's hmac module).
        QByteArray secret;
        for (char b = 1; b <= 32; ++b)
            secret += b;
        Grid grid;
        const int cells[27] = {5,  0, 23, 0,  41, 0,  62, 0,  88, 0, 17, 0, 36, 0,
                               55, 0, 77, 90, 9,  12, 28, 39, 47, 0, 0,  0, 0};
        std::copy(std::begin(cells), std::end(cells), grid.cells.begin());
        QCOMPARE(CardCode::of(secret, 42, grid), u"2E7BM"_s);
        QVERIFY(CardCode::of(secret, 43, grid) != u"2E7BM"_s);

        QCOMPARE(CardCode::normalised(u" 2e7-bm "_s), u"2E7BM"_s);
        for (const QString& bad : {u"2E7B"_s, u"2E7BMM"_s, u"2E7B0"_s, u"2E7BI"_s, u""_s})
            QVERIFY2(CardCode::normalised(bad).isEmpty(), qPrintable(bad));
    }

    void tempoHoldsOneHeadingWhilePrinting()
    {
        AppFolder app;
        GridFile file(build(app, 4, u"4-01-01-2001.DAT"_s), GridFile::Access::ReadWrite);
        QVERIFY(file.tempoRows().isEmpty());
        file.appendTempo(u"Numerella - Tirage du : 01-01-2001"_s);
        QCOMPARE(file.tempoRows(), QStringList{u"Numerella - Tirage du : 01-01-2001"_s});
        file.emptyTempo();
        QVERIFY(file.tempoRows().isEmpty());
    }

    void replacingAFileLeavesNoOldRow()
    {
        AppFolder app;
        const QString path = build(app, 8, u"8-01-01-2001.DAT"_s);
        const QList<GridSheet> before = sheetsOf(path);
        build(app, 8, u"8-01-01-2001.DAT"_s);
        const QList<GridSheet> after = sheetsOf(path);
        QCOMPARE(after.size(), 2);
        QVERIFY(before[0].grids[0].cells != after[0].grids[0].cells);
    }

    void aFailureHalfWayKeepsTheOldFileAndLeavesNothing()
    {
        AppFolder app;
        const QString path = build(app, 8, u"8-01-01-2001.DAT"_s);
        const QByteArray before = digest(path);
        try {
            build(app, 8, u"8-01-01-2001.DAT"_s, [](int g) {
                if (g == 6)
                    throw GridFileError(u"disque plein"_s, u"database or disk is full"_s);
            });
            QFAIL("the failure was swallowed");
        } catch (const GridFileError& e) {
            QVERIFY(e.message().contains(u"a échoué"_s));
            QVERIFY(e.message().contains(u"8-01-01-2001.DAT"_s));
            QVERIFY(e.message().contains(u"database or disk is full"_s));
        }
        QCOMPARE(digest(path), before);
        QCOMPARE(app.grillesEntries(), QStringList{u"8-01-01-2001.DAT"_s});
    }

    void staleScratchFilesGoWhenAGenerationStarts()
    {
        AppFolder app;
        GridFolder::make(app.appPath());
        for (const QString& name : {u"~creation-1.tmp"_s, u"~creation-99999.tmp"_s})
            QVERIFY(QFile(app.gridPath(name)).open(QIODevice::WriteOnly));
        build(app, 4, u"4-01-01-2001.DAT"_s);
        QCOMPARE(app.grillesEntries(), QStringList{u"4-01-01-2001.DAT"_s});
    }

    void aCountThatWouldLoseGridsIsRefused()
    {
        GridGenerator generator(m_random, m_clock);
        int made = 0;
        for (int count : {5, 2, 0, -4})
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, generator.run(
                                                                count, [&](GridSheet&&) { ++made; },
                                                                [&](int) { ++made; }));
        QCOMPARE(made, 0);
    }

    void cellsAreReadByColumnName()
    {
        AppFolder app;
        const QString path = build(app, 8, u"8-01-01-2001.DAT"_s);
        const QString reordered = app.gridPath(u"8-02-01-2001.DAT"_s);
        {
            // The same sheets in a table whose columns run the other way.
            QStringList columns{u"GRILLE"_s, u"NUM1"_s, u"NUM2"_s, u"NUM3"_s, u"NUM4"_s};
            for (int n = 1; n <= 108; ++n)
                columns << u"NUMERO%1"_s.arg(n);
            std::reverse(columns.begin(), columns.end());
            const std::string list = columns.join(u", "_s).toStdString();
            SQLite::Database db(reordered.toStdString(),
                                SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec("PRAGMA application_id = 1315787372; CREATE TABLE TEMPO (VERSION TEXT);");
            db.exec("CREATE TABLE TIRAGE (" + list + ")");
            db.exec("ATTACH DATABASE '" + path.toStdString() + "' AS made");
            db.exec("INSERT INTO TIRAGE (" + list + ") SELECT " + list + " FROM made.TIRAGE");
        }
        const QList<GridSheet> expected = sheetsOf(path);
        const QList<GridSheet> read = sheetsOf(reordered);
        QCOMPARE(read.size(), 2);
        for (int s = 0; s < 2; ++s) {
            QCOMPARE(read[s].grille, expected[s].grille);
            QCOMPARE(read[s].numbers, expected[s].numbers);
            for (std::size_t k = 0; k < 4; ++k)
                QCOMPARE(read[s].grids[k].cells, expected[s].grids[k].cells);
        }
        GridFile(reordered, GridFile::Access::ReadOnly).checkWhole(8);
    }

    void anInterruptedWriteIsRolledBackOnFirstRead()
    {
        AppFolder app;
        const QString path = build(app, 2000, u"2000-01-01-2001.DAT"_s);
        const QList<GridSheet> intact = sheetsOf(path);
        const QString crashed = app.gridPath(u"2000-02-01-2001.DAT"_s);
        {
            // A write cut off half-way: the file already holds some changed
            // pages, the journal beside it what undoes them.
            SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("PRAGMA cache_size = 2; BEGIN; UPDATE TIRAGE SET NUMERO1 = 99;");
            QVERIFY(QFile::copy(path, crashed));
            QVERIFY(QFile::copy(path + u"-journal"_s, crashed + u"-journal"_s));
            db.exec("ROLLBACK");
        }
        QVERIFY(digest(crashed) != digest(path));
        const QList<GridSheet> read = sheetsOf(crashed);
        QCOMPARE(read.size(), intact.size());
        QCOMPARE(read.last().grids[0].cells, intact.last().grids[0].cells);
        GridFile(crashed, GridFile::Access::ReadOnly).checkWhole(2000);
        QVERIFY(!QFileInfo::exists(crashed + u"-journal"_s));
    }

    void missingTemplateOrUnusableFolderIsReported()
    {
        AppFolder app;
        QFile::remove(app.appPath() + u"Loto1.dat"_s);
        QVERIFY_THROWS_EXCEPTION(GridFileError, build(app, 4, u"4-01-01-2001.DAT"_s));
        QVERIFY(!QFileInfo::exists(app.grilles())); // nothing made

        AppFolder blocked;
        QFile plain(blocked.grilles()); // a file where the folder should be
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        try {
            build(blocked, 4, u"4-01-01-2001.DAT"_s);
            QFAIL("a plain file named GRILLES was accepted");
        } catch (const GridFileError& e) {
            QVERIFY(e.message().startsWith(u"Impossible de créer le dossier des grilles"_s));
        }
    }

    void oddFilesAreRefusedAsGridFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Ceci n'est pas une base de données.\n");
        QTest::newRow("missing") << QByteArray("-");
    }

    void oddFilesAreRefusedAsGridFiles()
    {
        QFETCH(QByteArray, content);
        AppFolder app;
        GridFolder::make(app.appPath());
        const QString path = app.gridPath(u"4-01-01-2001.DAT"_s);
        if (content != "-") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        try {
            GridFile file(path, GridFile::Access::ReadOnly);
            QFAIL("an odd file was taken for a grid file");
        } catch (const GridFileError& e) {
            QVERIFY(e.message().startsWith(u"Le fichier"_s));
        }
    }

    void foreignDatabasesAreRefused_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("no tables") << u"PRAGMA application_id = 1315787372;"_s;
        QTest::newRow("no TEMPO") << u"PRAGMA application_id = 1315787372;"
                                     "CREATE TABLE TIRAGE (GRILLE INTEGER PRIMARY KEY);"_s;
        QTest::newRow("not marked") << u"CREATE TABLE TIRAGE (GRILLE INTEGER PRIMARY KEY);"
                                       "CREATE TABLE TEMPO (VERSION TEXT);"_s;
    }

    void foreignDatabasesAreRefused()
    {
        QFETCH(QString, script);
        AppFolder app;
        GridFolder::make(app.appPath());
        const QString path = app.gridPath(u"4-01-01-2001.DAT"_s);
        {
            SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec(script.toStdString());
        }
        QVERIFY_THROWS_EXCEPTION(GridFileError, GridFile(path, GridFile::Access::ReadOnly));
    }
};

QTEST_GUILESS_MAIN(TestGridFile)
#include "test_gridfile.moc"
