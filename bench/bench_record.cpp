// The cost of recording one number: DrawSeries::draw with its record (one
// durable SQLite commit) against the same draw kept in memory only, over
// series of 90 numbers. The record sits under the home folder, on the disk
// the user's data folder is on, unless a folder is given.
#include "game/drawseries.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int Series = 10;

QList<double> drawSeries(const QString& recordPath, const Clock& clock)
{
    QList<double> ms;
    DrawSeries series(recordPath, clock);
    for (int s = 0; s < Series; ++s) {
        series.reinitialise();
        for (int k = 0; k < 90; ++k) {
            const int n = 1 + (k * 37) % 90; // 37 and 90 are coprime: every number once
            QElapsedTimer timer;
            timer.start();
            series.draw(n, DrawMethod::Hand);
            ms.append(timer.nsecsElapsed() / 1e6);
        }
    }
    return ms;
}

void report(const char* label, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-26s median %.3f ms  (p90 %.3f, max %.3f, %lld numbers)\n", label,
                ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.last(), qlonglong(ms.size()));
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::homePath();
    QTemporaryDir dir(base + u"/bench_record-XXXXXX"_qs);
    if (!dir.isValid()) {
        std::puts("cannot make a folder for the record");
        return 1;
    }
    SystemClock clock;
    const QList<double> recorded = drawSeries(dir.filePath(u"tirages.db"_qs), clock);
    const QList<double> memory = drawSeries(QString(), clock);
    std::printf("record in %s\n", qPrintable(dir.path()));
    report("draw, recorded", recorded);
    report("draw, in memory only", memory);
    QList<double> sortedR = recorded, sortedM = memory;
    std::sort(sortedR.begin(), sortedR.end());
    std::sort(sortedM.begin(), sortedM.end());
    std::printf("recording one number costs %.3f ms (median difference)\n",
                sortedR[sortedR.size() / 2] - sortedM[sortedM.size() / 2]);
    return 0;
}
