// Draws a series into the record given as argument, as fast as it can, and
// writes each number on its standard output once it is shown: "+n" for a
// number, "-n" for one taken back (the tenth). Never ends by itself; the test
// kills it.
#include "game/drawseries.h"
#include "game/numberpicker.h"
#include "platform/clock.h"
#include "platform/randomsource.h"

#include <QCoreApplication>

#include <cstdio>

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
    for (;;) {
        series.reinitialise();
        bool undone = false;
        while (!series.state().isComplete()) {
            series.draw(pickNumber(series.state(), random, clock), DrawMethod::Timed);
            if (series.state().count() == 10 && !undone) {
                undone = true;
                std::printf("-%d\n", series.undoLast());
                std::fflush(stdout);
            }
        }
    }
}
