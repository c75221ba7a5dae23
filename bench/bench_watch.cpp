// The winner watch on a 10000-grid file: loading its grids into memory when
// the file is chosen (against the check of the file the choice already
// makes), and the update after each number, over series of 90 numbers.
#include "bigfile.h"
#include "draw/drawgridfile.h"
#include "fakes/fakeservices.h"
#include "game/winnerwatch.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
double median(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    FakeServices fakes;
    const QString appPath = Bench::makeBigFile(dir, fakes);
    if (appPath.isEmpty())
        return 1;
    const QString& title = Bench::BigTitle;

    QList<double> checkOnly, checkAndKeep, indexing;
    QList<QPair<int, Grid>> grids;
    WinnerWatch watch;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        DrawGridFile::choose(appPath, title);
        checkOnly.append(t.nsecsElapsed() / 1e6);
        t.restart();
        DrawGridFile::choose(appPath, title, &grids);
        checkAndKeep.append(t.nsecsElapsed() / 1e6);
        t.restart();
        watch.load(grids);
        indexing.append(t.nsecsElapsed() / 1e6);
    }

    QList<double> perNumber;
    QRandomGenerator random(9);
    for (int series = 0; series < 20; ++series) {
        QList<int> pool;
        for (int n = 1; n <= 90; ++n)
            pool.append(n);
        watch.replay({});
        while (!pool.isEmpty()) {
            const int n = pool.takeAt(random.bounded(int(pool.size())));
            QElapsedTimer t;
            t.start();
            watch.draw(n);
            const int count = watch.winnerCount(Phase::Quine);
            perNumber.append(t.nsecsElapsed() / 1e6);
            if (count < 0)
                return 1;
        }
    }
    std::printf("choosing the file, check only      median %8.3f ms\n", median(checkOnly));
    std::printf("choosing the file, grids kept      median %8.3f ms\n", median(checkAndKeep));
    std::printf("indexing the grids for the watch   median %8.3f ms\n", median(indexing));
    std::printf("loading cost over the check alone  median %8.3f ms\n",
                median(checkAndKeep) - median(checkOnly) + median(indexing));
    std::printf("watch update per number            median %8.4f ms  (%lld numbers)\n",
                median(perNumber), qlonglong(perNumber.size()));
    return 0;
}
