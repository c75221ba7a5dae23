#include "draw/drawstate.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfilename.h"
#include "verify/gridverifier.h"

#include <QCryptographicHash>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = VerificationOutcome::Kind;

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

    VerificationOutcome verifyGrid(const QString& answer, const DrawState& state,
                                   const QString& title = Title100)
    {
        m_fakes.input.answers.enqueue(answer);
        return GridVerifier(m_fakes.services, nullptr, m_app.appPath())
            .ProcVerifGrille(title, state);
    }

    VerificationOutcome verifyLine(const QString& answer, const DrawState& state,
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
        const VerificationOutcome grid = verifier.ProcVerifGrille(QString(), DrawState());
        QCOMPARE(grid.text,
                 u"Un fichier de tirage doit être actif\npour pouvoir vérifier une grille !!"_s);
        const VerificationOutcome line = verifier.ProcVerifLigne(QString(), DrawState());
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
        const VerificationOutcome outcome = verifyGrid(answer, DrawState());
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
        const VerificationOutcome win = verifyGrid(u"42"_s, drawOf(grid));
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
        const VerificationOutcome win =
            verifyGrid(QString::number(number), drawOf(grid), drawTitle(name));
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
        const VerificationOutcome outcome = verifyLine(u"42"_s, state);
        QCOMPARE(outcome.text, text);
        QCOMPARE(outcome.kind, firstRed ? Kind::Winner : Kind::Message);
        QCOMPARE(outcome.redCells.isEmpty() ? 0 : outcome.redCells.first(), firstRed);
    }

    void aVanishedOrBrokenFileIsReported()
    {
        const QString title = u"Tirage du 31-12-1999 - 8 grilles"_s;
        VerificationOutcome outcome = verifyGrid(u"1"_s, DrawState(), title);
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

    void aShortGridIsReportedAndLeavesNothing()
    {
        const QString path = m_app.gridPath(u"4-01-01-2001.DAT"_s);
        QFile::copy(m_app.gridPath(u"100-25-12-2000.DAT"_s), path);
        {
            GridFile file(path, GridFile::Access::ReadWrite);
            GridSheet sheet = *file.readSheet(1);
            sheet.grille = 101;
            sheet.numbers = {u"00201"_s, u"00202"_s, u"00203"_s, u"00204"_s};
            sheet.grids[0].at(1, 1) = 0; // cells lost to a damaged disk
            for (int c = 1; c <= 9; ++c)
                sheet.grids[0].at(2, c) = 0;
            file.appendSheet(sheet);
            file.close();
        }
        const QString title = u"Tirage du 01-01-2001 - 4 grilles"_s;
        for (bool whole : {true, false}) {
            const VerificationOutcome outcome = whole ? verifyGrid(u"201"_s, DrawState(), title)
                                                      : verifyLine(u"201"_s, DrawState(), title);
            QCOMPARE(outcome.kind, Kind::Message);
            QVERIFY2(outcome.text.contains(u"incomplète"_s), qPrintable(outcome.text));
        }
        QFile::remove(path);
    }

    void anUnwritableScratchIsReported()
    {
        QVERIFY(QDir(m_app.grilles()).mkdir(u"Verif.dat"_s)); // in the scratch file's way
        const VerificationOutcome outcome = verifyGrid(u"1"_s, DrawState());
        QVERIFY(QDir(m_app.grilles()).rmdir(u"Verif.dat"_s));
        QCOMPARE(outcome.kind, Kind::Message);
        QVERIFY(outcome.text.startsWith(u"Le fichier de travail"_s));
    }
};

QTEST_GUILESS_MAIN(TestVerification)
#include "test_verification.moc"
