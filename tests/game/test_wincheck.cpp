#include "game/drawstate.h"
#include "game/wincheck.h"
#include "grids/gridfilename.h"
#include "verify/entryformat.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QList<int> range(int from, int to)
{
    QList<int> cells;
    for (int i = from; i <= to; ++i)
        cells.append(i);
    return cells;
}
} // namespace

class TestWinCheck : public QObject
{
    Q_OBJECT

private slots:
    void entriesAreFormattedLikeGridNumbers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("entry");
        QTest::newRow("plain") << u"42"_s << u"00042"_s;
        QTest::newRow("padded") << u"00042"_s << u"00042"_s;
        QTest::newRow("six digits") << u"123456"_s << u"123456"_s;
        QTest::newRow("zero") << u"0"_s << u"00000"_s;
        QTest::newRow("spaces") << u" 7 "_s << u"00007"_s;
        QTest::newRow("half rounds up") << u"42.5"_s << u"00043"_s;
        QTest::newRow("below half") << u"42.49"_s << u"00042"_s;
        QTest::newRow("comma") << u"41,5"_s << u"00042"_s;
        QTest::newRow("negative half") << u"-2.5"_s << u"-00003"_s;
        QTest::newRow("plus sign") << u"+12"_s << u"00012"_s;
        QTest::newRow("exponent") << u"1e3"_s << u"01000"_s;
        QTest::newRow("huge stays") << u"1e20"_s << u"1e20"_s;
        QTest::newRow("letters stay") << u"abc"_s << u"abc"_s;
        QTest::newRow("mixed stays") << u"4 2"_s << u"4 2"_s;
        QTest::newRow("quote stays") << u"00042' OR '1'='1"_s << u"00042' OR '1'='1"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("lone point") << u"."_s << u"."_s;
        QTest::newRow("line feed after") << u"42\n"_s << u"00042"_s;
    }

    void entriesAreFormattedLikeGridNumbers()
    {
        QFETCH(QString, answer);
        QFETCH(QString, entry);
        QCOMPARE(formatGridEntry(answer), entry);
    }

    void titlesGiveBackTheFileName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("100") << u"Tirage du 25-12-2000 - 100 grilles"_s << u"100-25-12-2000.DAT"_s;
        QTest::newRow("10000") << u"Tirage du 01-01-2001 - 10000 grilles"_s
                               << u"10000-01-01-2001.DAT"_s;
        QTest::newRow("4") << u"Tirage du 01-01-2001 - 4 grilles"_s << u"4-01-01-2001.DAT"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("no count") << u"Tirage du 01-01-2001 -  grilles"_s << QString();
        QTest::newRow("other text") << u"Bonjour"_s << QString();
        QTest::newRow("path in count") << u"Tirage du 01-01-2001 - ../../x grilles"_s << QString();
        QTest::newRow("short") << u"Tirage du 01 grilles"_s << QString();
    }

    void titlesGiveBackTheFileName()
    {
        QFETCH(QString, title);
        QFETCH(QString, fileName);
        const std::optional<GridFileName> name = GridFileName::fromDrawTitle(title);
        QCOMPARE(name ? name->fileName() : QString(), fileName);
    }

    void countingIgnoresWhatIsNotADrawnNumber()
    {
        DrawState state;
        for (int n : {5, 17, 90})
            state.record(n);
        const int numbers[] = {5, 17, 90, 91, 0, -5, 6};
        QCOMPARE(WinCheck::countDrawn(numbers, state), 3);
    }

    void wholeGridMessages()
    {
        QCOMPARE(WinCheck::wholeGridLoser(u"00042"_s, 0),
                 u"La grille numéro 00042 n'est pas gagnante !!\n\n"
                 "Il n'y a aucun numéro correspondant !!"_s);
        QCOMPARE(WinCheck::wholeGridLoser(u"00042"_s, 1),
                 u"La grille numéro 00042 n'est pas gagnante !!\n\n"
                 "Il n'y a que 1 numéros correspondants !!"_s);
        QCOMPARE(WinCheck::wholeGridLoser(u"00007"_s, 14),
                 u"La grille numéro 00007 n'est pas gagnante !!\n\n"
                 "Il n'y a que 14 numéros correspondants !!"_s);
        QCOMPARE(WinCheck::wholeGridWinner(u"00042"_s),
                 u"La grille numéro 00042 est gagnante !!"_s);
    }

    void lineDecisions_data()
    {
        QTest::addColumn<int>("c1");
        QTest::addColumn<int>("c2");
        QTest::addColumn<int>("c3");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("red");
        const QString g = u" de la grille numéro 00042 "_s;
        // The title names two lines; every complete one is marked.
        QTest::newRow("all three")
            << 5 << 5 << 5 << u"Les lignes 1 et 2"_s + g + u"sont gagnantes !!"_s << range(1, 27);
        QTest::newRow("1 and 3") << 5 << 4 << 5
                                 << u"Les lignes 1 et 3"_s + g + u"sont gagnantes !!"_s
                                 << range(1, 9) + range(19, 27);
        QTest::newRow("2 and 3") << 0 << 5 << 5
                                 << u"Les lignes 2 et 3"_s + g + u"sont gagnantes !!"_s
                                 << range(10, 27);
        QTest::newRow("1") << 5 << 4 << 4 << u"La ligne 1"_s + g + u"est gagnante !!"_s
                           << range(1, 9);
        QTest::newRow("2") << 3 << 5 << 0 << u"La ligne 2"_s + g + u"est gagnante !!"_s
                           << range(10, 18);
        QTest::newRow("3") << 4 << 4 << 5 << u"La ligne 3"_s + g + u"est gagnante !!"_s
                           << range(19, 27);
        QTest::newRow("none") << 4 << 4 << 4 << u"Aucune ligne"_s + g + u"n'est gagnante !!"_s
                              << QList<int>();
    }

    void lineDecisions()
    {
        QFETCH(int, c1);
        QFETCH(int, c2);
        QFETCH(int, c3);
        QFETCH(QString, text);
        QFETCH(QList<int>, red);
        const WinCheck::LineVerdict verdict = WinCheck::decideLines(c1, c2, c3, u"00042"_s);
        QCOMPARE(verdict.text, text);
        QCOMPARE(verdict.redCells, red);
        QCOMPARE(verdict.winner, !red.isEmpty());
        QCOMPARE(verdict.note,
                 red.size() == 27 ? u"La ligne 3 est complète elle aussi."_s : QString());
    }
};

QTEST_GUILESS_MAIN(TestWinCheck)
#include "test_wincheck.moc"
