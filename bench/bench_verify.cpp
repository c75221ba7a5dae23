// Times one whole check of a grid in the last sheet of a 10000-grid file:
// lookup, reading through the scratch files, counting against the draw; and
// the same check as the draw makes it, once the file's grids are found to be
// the players' again.
#include "bigfile.h"
#include "draw/drawgridfile.h"
#include "fakes/fakeservices.h"
#include "game/drawstate.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"
#include "verify/gridverifier.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <tuple>

int main(int argc, char* argv[])
{
    // The draw's check shows the hourglass while it reads the whole file.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    FakeServices fakes;
    const QString appPath = Bench::makeBigFile(dir, fakes);
    if (appPath.isEmpty())
        return 1;
    DrawState state;
    for (int n = 1; n <= 45; ++n)
        state.record(2 * n);

    const QString& title = Bench::BigTitle;
    const QString fingerprint = DrawGridFile::choose(appPath, title).fingerprint;
    constexpr int Runs = 201;
    for (const auto& [label, line, drawn] :
         {std::tuple{"whole grid", false, false}, std::tuple{"line", true, false},
          std::tuple{"line, draw", true, true}}) {
        QList<double> ms;
        for (int i = 0; i < Runs; ++i) {
            fakes.input.answers.enqueue(QString::number(9997 + i % 4));
            GridVerifier verifier(fakes.services, nullptr, appPath);
            if (drawn)
                verifier.requireFingerprint(fingerprint);
            QElapsedTimer timer;
            timer.start();
            const Verdict outcome = line ? verifier.ProcVerifLigne(title, state)
                                         : verifier.ProcVerifGrille(title, state);
            ms.append(timer.nsecsElapsed() / 1e6);
            if (outcome.kind == Verdict::Kind::Stopped)
                return 1;
        }
        std::sort(ms.begin(), ms.end());
        std::printf("check of a last-sheet grid, %-10s median %.3f ms (min %.3f, max %.3f)\n",
                    label, ms[ms.size() / 2], ms.first(), ms.last());
    }
    return 0;
}
