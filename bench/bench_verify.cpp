// Times one whole check of a grid in the last sheet of a 10000-grid file:
// lookup, reading through the scratch files, counting against the draw.
#include "bigfile.h"
#include "fakes/fakeservices.h"
#include "game/drawstate.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"
#include "verify/gridverifier.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    FakeServices fakes;
    const QString appPath = Bench::makeBigFile(dir, fakes);
    if (appPath.isEmpty())
        return 1;
    DrawState state;
    for (int n = 1; n <= 45; ++n)
        state.record(2 * n);

    const QString& title = Bench::BigTitle;
    constexpr int Runs = 201;
    for (const auto& [label, line] : {std::pair{"whole grid", false}, std::pair{"line", true}}) {
        QList<double> ms;
        for (int i = 0; i < Runs; ++i) {
            fakes.input.answers.enqueue(QString::number(9997 + i % 4));
            GridVerifier verifier(fakes.services, nullptr, appPath);
            QElapsedTimer timer;
            timer.start();
            const VerificationOutcome outcome = line ? verifier.ProcVerifLigne(title, state)
                                                     : verifier.ProcVerifGrille(title, state);
            ms.append(timer.nsecsElapsed() / 1e6);
            if (outcome.kind == VerificationOutcome::Kind::Stopped)
                return 1;
        }
        std::sort(ms.begin(), ms.end());
        std::printf("check of a last-sheet grid, %-10s median %.3f ms (min %.3f, max %.3f)\n",
                    label, ms[ms.size() / 2], ms.first(), ms.last());
    }
    return 0;
}
