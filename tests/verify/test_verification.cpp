#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "game/drawstate.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfilename.h"
#include "verify/gridverifier.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;
using Kind = Verdict::Kind;

namespace {
const QString Title100 = u"Tirage du 25-12-2000 - 100 grilles"_s;

QByteArray digest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class TestVerification : public QObject
{
    Q_OBJECT

private:
    AppFolder m_app;
    FakeServices m_fakes;
    QString m_file100;

    Grid gridOf(const QString& path, int number)
    {
        GridFile file(path, GridFile::Access::ReadOnly);
        const GridFile::Location at = *file.findGrid(gridNumberText(number));
        return file.readSheet(at.grille)->grids[std::size_t(at.slot - 1)];
    }

    // A draw holding exactly the given cells of a grid (row, column pairs;
    // all of them when none is given), plus some numbers of no interest.
    static DrawState drawOf(const Grid& grid, const QList<QPair<int, int>>& cells = {})
    {
        DrawState state;
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 9; ++c)
                if (grid.at(r, c) && (cells.isEmpty() || cells.contains({r, c})))
                    state.record(grid.at(r, c));
        return state;
    }

    static QList<QPair<int, int>> rowCells(const Grid& grid, std::initializer_list<int> rows,
                                           int leaveOut = 0)
    {
        QList<QPair<int, int>> cells;
        for (int r : rows)
            for (int c = 1; c <= 9; ++c)
                if (grid.at(r, c))
                    cells.append({r, c});
        cells.resize(cells.size() - leaveOut);
        return cells;
    }

    Verdict verifyGrid(const QString& answer, const DrawState& state,
                       const QString& title = Title100)
    {
        m_fakes.input.answers.enqueue(answer);
        return GridVerifier(m_fakes.services, nullptr, m_app.appPath())
            .ProcVerifGrille(title, state);
    }

    Verdict verifyLine(const QString& answer, const DrawState& state,
                       const QString& title = Title100)
    {
        m_fakes.input.answers.enqueue(answer);
        return GridVerifier(m_fakes.services, nullptr, m_app.appPath())
            .ProcVerifLigne(title, state);
    }

private slots:
    void initTestCase()
    {
        SeededRandom random(42);
        GridFileBuilder builder(m_app.appPath(), random, m_fakes.clock);
        m_file100 = m_app.gridPath(u"100-25-12-2000.DAT"_s);
        builder.build(100, m_file100, {});
        builder.build(10000, m_app.gridPath(u"10000-01-01-2001.DAT"_s), {});
    }

    void cleanup()
    {
        // No scratch file ever stays behind, whatever the verification did.
        QCOMPARE(m_app.grillesEntries(),
                 QStringList({u"100-25-12-2000.DAT"_s, u"10000-01-01-2001.DAT"_s}));
        QVERIFY(m_fakes.input.answers.isEmpty());
    }

    void aFileMustBeActive()
    {
        GridVerifier verifier(m_fakes.services, nullptr, m_app.appPath());
        const Verdict grid = verifier.ProcVerifGrille(QString(), DrawState());
        QCOMPARE(grid.text,
                 u"Un fichier de tirage doit être actif\npour pouvoir vérifier une grille !!"_s);
        const Verdict line = verifier.ProcVerifLigne(QString(), DrawState());
        QCOMPARE(line.text,
                 u"Un fichier de tirage doit être actif\npour pouvoir vérifier une ligne !!"_s);
        QVERIFY(m_fakes.input.asked.isEmpty()); // no input box
    }

    void theQuestionAndItsCancel()
    {
        m_fakes.input.asked.clear();
        m_fakes.input.answers.enqueue(std::nullopt);
        QCOMPARE(GridVerifier(m_fakes.services, nullptr, m_app.appPath())
                     .ProcVerifGrille(Title100, DrawState())
                     .kind,
                 Kind::Stopped);
        QCOMPARE(m_fakes.input.asked.last().first, u"Numerella"_s);
        QCOMPARE(m_fakes.input.asked.last().second, u"Entrez le numéro de grille à vérifier"_s);
        QCOMPARE(verifyLine(QString(), DrawState()).kind, Kind::Stopped);
    }

    void gridsThatDoNotExist_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << u"0"_s << u"La grille 00000 n'existe pas"_s;
        QTest::newRow("past the end") << u"101"_s << u"La grille 00101 n'existe pas"_s;
        QTest::newRow("letters") << u"abc"_s << u"La grille abc n'existe pas"_s;
        QTest::newRow("quote") << u"1' OR '1'='1"_s << u"La grille 1' OR '1'='1 n'existe pas"_s;
    }

    void gridsThatDoNotExist()
    {
        QFETCH(QString, answer);
        QFETCH(QString, text);
        const Verdict outcome = verifyGrid(answer, DrawState());
        QCOMPARE(outcome.kind, Kind::Message);
        QCOMPARE(outcome.text, text);
    }

    void wholeGridOutcomes()
    {
        const Grid grid = gridOf(m_file100, 42);
        QCOMPARE(verifyGrid(u"42"_s, DrawState()).text,
                 u"La grille numéro 00042 n'est pas gagnante !!\n\n"
                 "Il n'y a aucun numéro correspondant !!"_s);
        QList<QPair<int, int>> all = rowCells(grid, {1, 2, 3});
        QCOMPARE(verifyGrid(u"00042"_s, drawOf(grid, all.mid(0, 1))).text,
                 u"La grille numéro 00042 n'est pas gagnante !!\n\n"
                 "Il n'y a que 1 numéros correspondants !!"_s);
        QCOMPARE(verifyGrid(u"42"_s, drawOf(grid, all.mid(0, 14))).text,
                 u"La grille numéro 00042 n'est pas gagnante !!\n\n"
                 "Il n'y a que 14 numéros correspondants !!"_s);

        const QByteArray before = digest(m_file100);
        const Verdict win = verifyGrid(u"42"_s, drawOf(grid));
        QCOMPARE(win.kind, Kind::Winner);
        QCOMPARE(win.text, u"La grille numéro 00042 est gagnante !!"_s);
        QVERIFY(win.redCells.isEmpty());
        int shown = 0;
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 9; ++c) {
                const int n = grid.at(r, c);
                QCOMPARE(win.cellTexts[std::size_t(9 * (r - 1) + c - 1)],
                         n ? QString::number(n) : QString());
                shown += n ? 1 : 0;
            }
        QCOMPARE(shown, 15);
        QCOMPARE(digest(m_file100), before); // only ever read
    }

    void everySlotAndBothEndsOfABigFile_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("number");
        for (int n : {1, 2, 3, 4, 42, 100})
            QTest::addRow("%d of 100", n) << u"100-25-12-2000.DAT"_s << n;
        for (int n : {1, 9999, 10000})
            QTest::addRow("%d of 10000", n) << u"10000-01-01-2001.DAT"_s << n;
    }

    void everySlotAndBothEndsOfABigFile()
    {
        QFETCH(QString, fileName);
        QFETCH(int, number);
        const Grid grid = gridOf(m_app.gridPath(fileName), number);
        const GridFileName name = *GridFileName::parse(fileName);
        const Verdict win = verifyGrid(QString::number(number), drawOf(grid), drawTitle(name));
        QCOMPARE(win.kind, Kind::Winner);
        QCOMPARE(win.text, u"La grille numéro "_s + gridNumberText(number) + u" est gagnante !!"_s);
        QCOMPARE(win.cellTexts[0], grid.at(1, 1) ? QString::number(grid.at(1, 1)) : QString());
    }

    void lineOutcomes_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("leaveOut");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("firstRed");
        QTest::newRow("none") << QList<int>{} << 0
                              << u"Aucune ligne de la grille numéro 00042 n'est gagnante !!"_s << 0;
        QTest::newRow("row 2") << QList<int>{2} << 0
                               << u"La ligne 2 de la grille numéro 00042 est gagnante !!"_s << 10;
        QTest::newRow("row 2 short of one")
            << QList<int>{2} << 1 << u"Aucune ligne de la grille numéro 00042 n'est gagnante !!"_s
            << 0;
        QTest::newRow("rows 1 and 3")
            << QList<int>{1, 3} << 0
            << u"Les lignes 1 et 3 de la grille numéro 00042 sont gagnantes !!"_s << 1;
        QTest::newRow("all rows")
            << QList<int>{1, 2, 3} << 0
            << u"Les lignes 1 et 2 de la grille numéro 00042 sont gagnantes !!"_s << 1;
    }

    void lineOutcomes()
    {
        QFETCH(QList<int>, rows);
        QFETCH(int, leaveOut);
        QFETCH(QString, text);
        QFETCH(int, firstRed);
        const Grid grid = gridOf(m_file100, 42);
        QList<QPair<int, int>> cells;
        for (int r : rows)
            cells += rowCells(grid, {r});
        cells.resize(cells.size() - leaveOut);
        // One number of no interest keeps an empty selection from meaning "all".
        DrawState state = cells.isEmpty() ? DrawState() : drawOf(grid, cells);
        const Verdict outcome = verifyLine(u"42"_s, state);
        QCOMPARE(outcome.text, text);
        QCOMPARE(outcome.kind, firstRed ? Kind::Winner : Kind::Message);
        QCOMPARE(outcome.redCells.isEmpty() ? 0 : outcome.redCells.first(), firstRed);
    }

    void aVanishedOrBrokenFileIsReported()
    {
        const QString title = u"Tirage du 31-12-1999 - 8 grilles"_s;
        Verdict outcome = verifyGrid(u"1"_s, DrawState(), title);
        QCOMPARE(outcome.kind, Kind::Message);
        QVERIFY(outcome.text.contains(u"est introuvable"_s));

        QFile text(m_app.gridPath(u"8-31-12-1999.DAT"_s));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("pas une base");
        text.close();
        outcome = verifyLine(u"1"_s, DrawState(), title);
        QVERIFY(outcome.text.contains(u"n'est pas un fichier de grilles"_s));
        QFile::remove(text.fileName());
    }

    void aGridNoCardCouldHoldIsNeverJudged_data()
    {
        // Cells of grid 1 as SQL, each making the grid one no card can be.
        QTest::addColumn<QString>("damage");
        QTest::newRow("negative") << u"NUMERO1 = -5"_s;
        QTest::newRow("91") << u"NUMERO27 = 91"_s;
        QTest::newRow("1000") << u"NUMERO27 = 1000"_s;
        // A 32-bit read of this value would take it for 12.
        QTest::newRow("huge") << u"NUMERO2 = 4294967308"_s;
        QTest::newRow("text") << u"NUMERO2 = 'douze'"_s;
        QTest::newRow("fraction") << u"NUMERO2 = 12.5"_s;
        QTest::newRow("repeated") << u"NUMERO11 = 11"_s;
        QTest::newRow("16 numbers") << u"NUMERO6 = 55"_s;
        QTest::newRow("a row short") << u"NUMERO14 = NULL"_s;
    }

    void aGridNoCardCouldHoldIsNeverJudged()
    {
        QFETCH(QString, damage);
        const QString path = m_app.gridPath(u"4-01-01-2001.DAT"_s);
        QFile::remove(path);
        QVERIFY(QFile::copy(m_file100, path));
        // Grid 1 laid out plainly first, so each damage lands where it says.
        SQLite::Database(path.toStdString(), SQLite::OPEN_READWRITE)
            .exec("UPDATE TIRAGE SET NUMERO1 = NULL, NUMERO2 = NULL, NUMERO3 = NULL, NUMERO4 = "
                  "NULL, NUMERO5 = NULL, NUMERO6 = NULL, NUMERO7 = NULL, NUMERO8 = NULL, "
                  "NUMERO9 = NULL, NUMERO10 = 2, NUMERO11 = 13, NUMERO12 = 24, NUMERO13 = 35, "
                  "NUMERO14 = 46, NUMERO15 = NULL, NUMERO16 = NULL, NUMERO17 = NULL, NUMERO18 = "
                  "NULL, NUMERO19 = NULL, NUMERO20 = NULL, NUMERO21 = NULL, NUMERO22 = NULL, "
                  "NUMERO23 = 47, NUMERO24 = 58, NUMERO25 = 69, NUMERO26 = 79, NUMERO27 = 90, "
                  "NUMERO1 = 1, NUMERO2 = 11, NUMERO3 = 21, NUMERO4 = 31, NUMERO5 = 41 "
                  "WHERE GRILLE = 1");
        const Grid sound = gridOf(path, 1);
        const DrawState everything = drawOf(sound);
        QCOMPARE(verifyGrid(u"1"_s, everything, u"Tirage du 01-01-2001 - 4 grilles"_s).kind,
                 Kind::Winner);
        SQLite::Database(path.toStdString(), SQLite::OPEN_READWRITE)
            .exec("UPDATE TIRAGE SET " + damage.toStdString() + " WHERE GRILLE = 1");
        const QByteArray before = digest(path);
        for (bool whole : {true, false}) {
            const QString title = u"Tirage du 01-01-2001 - 4 grilles"_s;
            const Verdict outcome = whole ? verifyGrid(u"1"_s, everything, title)
                                          : verifyLine(u"1"_s, everything, title);
            QCOMPARE(outcome.kind, Kind::Message);
            QVERIFY2(outcome.text.contains(u"n'est pas un fichier de grilles de Numerella, ou il "
                                           "est endommagé."_s),
                     qPrintable(outcome.text));
            QVERIFY(outcome.text.contains(u"la grille 00001 "_s));
        }
        QCOMPARE(digest(path), before);
        QFile::remove(path);
    }

    void scratchFilesGoToTheTemporaryFolderWhenGrillesRefusesThem()
    {
        // Something in each scratch file's way stands for a folder we may not write.
        for (const QString& name : {u"Verif.dat"_s, u"VerifL1.dat"_s, u"VerifL2.dat"_s})
            QVERIFY(QDir(m_app.grilles()).mkdir(name));
        const QTemporaryDir temporary;
        const QByteArray savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temporary.path().toUtf8());
        const Grid grid = gridOf(m_file100, 42);
        const Verdict whole = verifyGrid(u"42"_s, drawOf(grid));
        const Verdict lines = verifyLine(u"42"_s, drawOf(grid));
        QCOMPARE(whole.kind, Kind::Winner);
        QCOMPARE(lines.kind, Kind::Winner);
        QVERIFY(QDir(temporary.path()).isEmpty()); // nothing left there either

        // Neither folder: the check stops and says where it tried.
        QFile blocker(temporary.filePath(u"pas-un-dossier"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("TMPDIR", blocker.fileName().toUtf8());
        const Verdict refused = verifyGrid(u"42"_s, drawOf(grid));
        qputenv("TMPDIR", savedTmp);
        for (const QString& name : {u"Verif.dat"_s, u"VerifL1.dat"_s, u"VerifL2.dat"_s})
            QVERIFY(QDir(m_app.grilles()).rmdir(name));
        QCOMPARE(refused.kind, Kind::Message);
        QVERIFY2(refused.text.startsWith(u"Les fichiers de travail de la vérification n'ont pu "
                                         "être écrits ni dans\n"_s +
                                         QDir::toNativeSeparators(m_app.grilles())),
                 qPrintable(refused.text));
        QVERIFY(refused.text.contains(u"le tirage continue"_s));
    }

    void aVeryLongEntryIsShownShortened()
    {
        const Verdict outcome = verifyGrid(QString(300, u'7'), DrawState());
        QCOMPARE(outcome.text, u"La grille "_s + QString(19, u'7') + u"… n'existe pas"_s);
    }
};

QTEST_GUILESS_MAIN(TestVerification)
#include "test_verification.moc"
