// Draws a series into the record given as argument, as fast as it can, and
// writes each number on its standard output once it is shown: "+n" for a
// number, "-n" for one taken back (the tenth). Never ends by itself; the test
// kills it. With a second argument n, it says "?" after the n-th number of
// its first series and waits for a line on its standard input; "!" says the
// record was written again in its place.
#include "game/drawseries.h"
#include "game/numberpicker.h"
#include "platform/clock.h"
#include "platform/randomsource.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    SystemClock clock;
    SeededRandom random(20261209);
    DrawSeries series(QString::fromLocal8Bit(argv[1]), clock);
    QObject::connect(&series, &DrawSeries::recordFailed, [](const QString& message) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::exit(3);
    });
    QObject::connect(&series, &DrawSeries::numberDrawn, [](int n) {
        std::printf("+%d\n", n);
        std::fflush(stdout);
    });
    QObject::connect(&series, &DrawSeries::recordRewritten, [] {
        std::printf("!\n");
        std::fflush(stdout);
    });
    int pauseAt = argc > 2 ? std::atoi(argv[2]) : 0;
    for (;;) {
        series.reinitialise();
        bool undone = false;
        while (!series.state().isComplete()) {
            series.draw(pickNumber(series.state(), random, clock), DrawMethod::Timed);
            if (series.state().count() == pauseAt) {
                pauseAt = 0;
                std::printf("?\n");
                std::fflush(stdout);
                char line[8];
                if (!std::fgets(line, sizeof line, stdin))
                    return 4;
            }
            if (series.state().count() == 10 && !undone) {
                undone = true;
                std::printf("-%d\n", series.undoLast().value_or(0));
                std::fflush(stdout);
            }
        }
    }
}
