#include "game/drawseries.h"
#include "game/evening.h"
#include "game/phasecheck.h"
#include "game/programme.h"
#include "game/programmestore.h"
#include "game/winnerwatch.h"
#include "platform/clock.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Rows 1 to 3 hold 1..5, 11..15 and 21..25 in the first five columns: simple to reason about.
Grid plainGrid(int offset = 0)
{
    Grid g;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 5; ++c)
            g.at(r, c) = offset + 10 * (r - 1) + c;
    return g;
}
} // namespace

// The evening's programme, the phase a grid is measured against, and the
// winners known after each number.
class TestProgramme : public QObject
{
    Q_OBJECT

private slots:
    void soldGridsAreRangesOfGridNumbers()
    {
        const auto sold = SoldGrids::parse(u"1-350, 401-480"_s);
        QVERIFY(sold);
        QVERIFY(sold->contains(1) && sold->contains(350) && sold->contains(401));
        QVERIFY(!sold->contains(351) && !sold->contains(481) && !sold->contains(0));
        QCOMPARE(SoldGrids::parse(u" 13, 5-10 ,8-12,,"_s)->text(), u"5-13"_s);
        QVERIFY(SoldGrids::parse(QString())->isEveryGrid());
        // Kept as "1, 3, 5", a list typed "1,3,5" may outgrow what reads back.
        QString odd;
        for (int n = 1; odd.size() + 6 <= SoldGrids::MaxTextLength; n += 2)
            odd += QString::number(n) + u',';
        QString longer;
        QVERIFY(!SoldGrids::parse(odd, &longer));
        QVERIFY(longer.contains(u"une fois mise en ordre"_s));
        QString why;
        for (const QString& bad : {u"abc"_s, u"10-5"_s, u"1-"_s, u"-3"_s, u"1-2-3"_s, u"0"_s,
                                   u"1 2"_s, QString(3000, u'1')}) {
            QVERIFY2(!SoldGrids::parse(bad, &why), qPrintable(bad));
            QVERIFY(!why.isEmpty());
        }
    }

    void aProgrammeIsRefusedWhenItCannotBePlayed()
    {
        QVERIFY(Programme::standard().fault().isEmpty());
        QCOMPARE(Programme::standard().games[0].phases.size(), 3);
        Programme p = Programme::standard();
        p.games.append(ProgrammeGame{});
        QCOMPARE(p.fault(), u"La partie 2 n'a aucune phase : cochez au moins Quine, Double quine "
                            "ou Carton plein."_s);
        p = Programme::standard();
        p.games[0].phases[1].prize = QString(500, u'x');
        QVERIFY(p.fault().contains(u"dépasse 200 caractères (il en compte 500)"_s));
        // Characters as read: an emoji or an accented letter typed as two is one.
        p.games[0].phases[1].prize = u"🎁"_s.repeated(120) + u"e\u0301"_s.repeated(80);
        QVERIFY(p.fault().isEmpty());
        p.games[0].phases[1].prize += u"👍🏽"_s;
        QVERIFY(p.fault().contains(u"(il en compte 201)"_s));
        p = Programme::standard();
        std::swap(p.games[0].phases[0], p.games[0].phases[2]);
        QVERIFY(p.fault().contains(u"dans l'ordre"_s));
        QVERIFY(!Programme{}.fault().isEmpty());
    }

    void aProgrammeIsKeptPerGridFile()
    {
        QTemporaryDir dir;
        const ProgrammeStore store(dir.filePath(u"programmes"_s));
        Programme p = Programme::standard();
        p.games[0].phases[2].prize = u"Un panier garni « bio »"_s;
        p.games.append({{{Phase::CartonPlein, u"Un vélo"_s}}});
        p.sold = *SoldGrids::parse(u"1-350"_s);
        QVERIFY(store.save(u"100-25-12-2000.DAT"_s, p).isEmpty());
        QCOMPARE(store.load(u"100-25-12-2000.DAT"_s).programme, p);
        // Another file has its own, the standard one until saved.
        QCOMPARE(store.load(u"200-31-12-2000.DAT"_s).programme, Programme::standard());
        // A name from elsewhere never leads out of the folder.
        QVERIFY(store.pathFor(u"../../x.DAT"_s).startsWith(dir.filePath(u"programmes/"_s)));
        QVERIFY(!store.pathFor(u"../../x.DAT"_s).mid(dir.path().size()).contains(u".."_s));

        // Damaged: said, and the standard programme is used; the file is left alone.
        QFile damaged(store.pathFor(u"100-25-12-2000.DAT"_s));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(R"({"version": 1, "parties": [{"phases": [{"phase": "loto"}]}]})");
        damaged.close();
        const ProgrammeStore::Loaded loaded = store.load(u"100-25-12-2000.DAT"_s);
        QCOMPARE(loaded.programme, Programme::standard());
        QVERIFY(loaded.problem.contains(u"son contenu est abîmé."_s));
        QVERIFY(damaged.exists());

        QDir().mkpath(store.pathFor(u"300-01-01-2001.DAT"_s));
        QVERIFY(store.save(u"300-01-01-2001.DAT"_s, p).contains(u"Un dossier porte ce nom."_s));
        QVERIFY(!store.load(u"300-01-01-2001.DAT"_s).problem.isEmpty());
    }

    void aGridIsMeasuredAgainstThePhase()
    {
        const Grid g = plainGrid();
        // Row 1 (1..5) lacks 4 and 5; row 2 lacks three.
        QList<int> out = {1, 2, 3, 11, 12, 60};
        PhaseCheck quine = checkPhase(g, out, Phase::Quine);
        QVERIFY(!quine.wins);
        QCOMPARE(quine.explanation(), u"Il manque : 4 5"_s);

        out += {4, 5, 70};
        quine = checkPhase(g, out, Phase::Quine);
        QVERIFY(quine.wins);
        QCOMPARE(quine.explanation(),
                 u"Complète au 8e numéro tiré : le 5\nGagnante depuis le 8e numéro"_s);
        const PhaseCheck twoNeeded = checkPhase(g, out, Phase::DoubleQuine);
        QCOMPARE(twoNeeded.fullLines, 1);
        QCOMPARE(
            twoNeeded.explanation(),
            u"Elle a une ligne ; il en faut deux pour la double quine.\nIl manque : 13 14 15"_s);

        out += {13, 14, 15};
        const PhaseCheck doubleQuine = checkPhase(g, out, Phase::DoubleQuine);
        QCOMPARE(doubleQuine.explanation(), u"Complète au 12e numéro tiré : le 15"_s);
        QCOMPARE(checkPhase(g, out, Phase::CartonPlein).explanation(),
                 u"Il manque : 21 22 23 24 25"_s);
        QCOMPARE(ordinal(1), u"1er"_s);
    }

    void theEveningMovesPhaseByPhaseAndGameByGame()
    {
        Programme p = Programme::standard();
        p.games[0].phases[1].prize = u"Un panier garni"_s;
        p.games.append({{{Phase::CartonPlein, u"Un vélo"_s}}});
        SystemClock clock;
        DrawSeries series(QString(), clock);
        SeriesFile file;
        file.title = u"Tirage du 25-12-2000 - 100 grilles"_s;
        file.fileName = u"100-25-12-2000.DAT"_s;
        series.chooseFile(file, {}, p);
        const Evening& evening = series.evening();
        QCOMPARE(evening.line(), u"Partie 1 - Quine"_s);
        Evening e = evening;
        QVERIFY(!e.advancePhase());
        QCOMPARE(e.line(), u"Partie 1 - Double quine - Un panier garni"_s);
        e.advancePhase();
        QVERIFY(e.advancePhase());
        QCOMPARE(e.line(), u"Partie 1 terminée"_s);
        e.nextGame();
        QCOMPARE(e.line(), u"Partie 2 - Carton plein - Un vélo"_s);
        e.advancePhase();
        e.nextGame();
        QVERIFY(e.isOver());
        QCOMPARE(e.line(), u"Programme terminé"_s);
        // A position from an older programme is brought back inside this one.
        e.setPosition({7, 5});
        QVERIFY(e.isOver());
        e.setPosition({1, 5});
        QCOMPARE(e.position(), (EveningPosition{1, 0}));
    }

    void theWatchKnowsTheWinnersAfterEachNumber()
    {
        // Random grids of random numbers (the watch does not need sound
        // grids) against a count made the slow way, through draws and undos.
        QRandomGenerator random(20261210);
        QList<QPair<int, Grid>> grids;
        for (int number = 1; number <= 300; ++number) {
            Grid g;
            QList<int> pool;
            for (int n = 1; n <= 90; ++n)
                pool.append(n);
            for (int r = 1; r <= 3; ++r)
                for (int c = 1; c <= 5; ++c)
                    g.at(r, c) = pool.takeAt(random.bounded(int(pool.size())));
            grids.append({number, g});
        }
        WinnerWatch watch;
        watch.load(grids);
        watch.setSold(*SoldGrids::parse(u"1-200, 251-300"_s));
        QList<int> sequence;
        QList<int> pool;
        for (int n = 1; n <= 90; ++n)
            pool.append(n);
        while (!pool.isEmpty()) {
            const int n = pool.takeAt(random.bounded(int(pool.size())));
            sequence.append(n);
            watch.draw(n);
            if (random.bounded(10) == 0) { // a slip taken back
                watch.undo(sequence.takeLast());
                pool.append(n);
            }
            for (Phase phase : AllPhases) {
                QList<int> expected;
                for (const auto& [number, grid] : grids)
                    if ((number <= 200 || number > 250) && checkPhase(grid, sequence, phase).wins)
                        expected.append(number);
                QCOMPARE(watch.winners(phase), expected);
                QCOMPARE(watch.winnerCount(phase), expected.size());
            }
        }
        watch.replay(sequence.mid(0, 10));
        watch.setSold({});
        QCOMPARE(watch.winnerCount(Phase::CartonPlein), 0);
    }
};

QTEST_GUILESS_MAIN(TestProgramme)
#include "test_programme.moc"
