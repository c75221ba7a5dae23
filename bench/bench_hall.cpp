// The hall display's costs, offscreen at 1920 x 1080: from the draw key to
// both windows painted (the draw screen and the hall display, each painted
// whole, an upper bound of what a number costs), and the opening of the
// hall display until its first paint.
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "hall/halldisplay.h"
#include "platform/param.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
void report(const char* label, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s median %7.3f ms  (p90 %.3f, max %.3f, %lld runs)\n", label,
                ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.last(), qlonglong(ms.size()));
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir appDir;
    Param::setGlobals(
        AppGlobals::compose(appDir.filePath(u"numerella"_s), QDateTime::currentDateTime()));
    FakeServices fakes;
    Tirage screen(fakes.services);
    screen.setGeometry(0, 0, 1920, 1080);
    screen.show();

    QList<double> opening;
    for (int k = 0; k < 30; ++k) {
        QElapsedTimer timer;
        timer.start();
        HallDisplay hall(screen.series(), &screen);
        hall.setGeometry(0, 0, 1920, 1080);
        hall.show();
        while (!hall.windowHandle() || !hall.windowHandle()->isExposed())
            app.processEvents();
        hall.repaint();
        opening.append(timer.nsecsElapsed() / 1e6);
    }

    HallDisplay hall(screen.series(), &screen);
    hall.setGeometry(0, 0, 1920, 1080);
    hall.show();
    app.processEvents();
    QList<double> mirror;
    for (int s = 0; s < 5; ++s) {
        fakes.messages.answer(MsgAnswer::Yes); // no grid file: draw anyway
        for (int k = 0; k < 90; ++k) {
            QElapsedTimer timer;
            timer.start();
            screen.ProcTirage();
            screen.repaint();
            hall.repaint();
            mirror.append(timer.nsecsElapsed() / 1e6);
        }
        fakes.messages.answer(MsgAnswer::Yes);
        screen.ProcReinit();
        app.processEvents();
    }
    report("draw key to both windows painted", mirror);
    report("hall display opened and painted", opening);
    return 0;
}
