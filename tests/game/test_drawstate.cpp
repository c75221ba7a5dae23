#include "draw/boardgeometry.h"
#include "game/drawstate.h"
#include "widgets/twiplayout.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestDrawState : public QObject
{
    Q_OBJECT

private slots:
    void recordingKeepsTheInvariants()
    {
        DrawState state;
        const QList<int> drawn = {12, 90, 1, 45};
        for (int n : drawn)
            state.record(n);
        QCOMPARE(state.count(), 4);
        QCOMPARE(state.sequence(), drawn);
        QCOMPARE(state.sum(), 148);
        for (int n = 1; n <= 90; ++n)
            QCOMPARE(state.isDrawn(n), drawn.contains(n));
        QVERIFY(!state.isDrawn(0));
        QVERIFY(!state.isDrawn(91));
        QVERIFY(!state.isComplete());
    }

    void lastFiveShowsTheNewestFirst()
    {
        DrawState state;
        for (int n = 1; n <= 6; ++n)
            state.pushLastFive(n * 10);
        const std::array<QString, 5> expected = {u"60"_s, u"50"_s, u"40"_s, u"30"_s, u"20"_s};
        QCOMPARE(state.lastFive(), expected);
        DrawState fresh;
        fresh.pushLastFive(7);
        QCOMPARE(fresh.lastFive()[0], u"7"_s);
        QVERIFY(fresh.lastFive()[1].isEmpty());
    }

    void aFullSeriesSumsTo4095AndClearsToNothing()
    {
        DrawState state;
        for (int n = 90; n >= 1; --n) {
            state.record(n);
            state.pushLastFive(n);
        }
        QVERIFY(state.isComplete());
        QCOMPARE(state.sum(), DrawState::FullSum);
        state.clear();
        QCOMPARE(state.count(), 0);
        QCOMPARE(state.sum(), 0);
        QVERIFY(!state.isDrawn(45));
        QVERIFY(state.lastFive()[0].isEmpty());
    }

    void numericBoardFollowsTheGridColumns()
    {
        using namespace BoardGeometry;
        QCOMPARE(numericCell(1), QRect(120, 720 + 360, 495, 375));  // second row of column 0
        QCOMPARE(numericCell(10), QRect(120 + 480, 720, 495, 375)); // top of column 1
        QCOMPARE(numericCell(89), QRect(120 + 480 * 8, 720 + 360 * 9, 495, 375));
        QCOMPARE(numericCell(90), QRect(120 + 480 * 8, 720 + 360 * 10, 495, 375)); // under 89
        QCOMPARE(numericColumnColour(9), QColor(192, 255, 255));
        QCOMPARE(numericColumnColour(55), QColor(224, 224, 224));
        QCOMPARE(numericColumnColour(90), QColor(255, 192, 192));
    }

    void chronologicalBoardFillsColumnsOfFifteen()
    {
        using namespace BoardGeometry;
        QCOMPARE(chronoCell(1), QRect(360, 720, 495, 375));
        QCOMPARE(chronoCell(16), QRect(360 + 720, 720, 495, 375)); // top of the second column
        QCOMPARE(ordreLabel(16), QRect(120 + 720, 840, 240, 255));
        QCOMPARE(chronoCell(90), QRect(360 + 720 * 5, 720 + 360 * 14, 495, 375));
        QCOMPARE(suiviBox(4), QRect(240 + 840 * 4, 5040, 735, 735));
    }

    void twipsScaleWithoutGapsBetweenNeighbours()
    {
        // Neighbouring cells overlap by 15 twips; after scaling they must still touch.
        for (qreal scale : {1.0 / 15, 1.29 / 15, 1.95 / 15, 2.7 / 15}) {
            const QRect a = TwipLayout::toPixels(BoardGeometry::numericCell(10), scale);
            const QRect b = TwipLayout::toPixels(BoardGeometry::numericCell(20), scale);
            QVERIFY2(a.right() + 1 >= b.left(), qPrintable(QString::number(scale)));
        }
        QCOMPARE(TwipLayout::toPixels({7335, 0, 7335, 7335}, 1.0 / 15), QRect(489, 0, 489, 489));
        QCOMPARE(TwipLayout::fontPixels(15, 1.0 / 15), 20); // 15 pt at 96 dpi
        QCOMPARE(TwipLayout::fontPixels(15, 2.0 / 15), 40);
    }
};

QTEST_GUILESS_MAIN(TestDrawState)
#include "test_drawstate.moc"
