// Times the main window's start-up and the opening of the draw screen, the
// two waits an organiser sees. Prints the median and spread of several runs.
#include "app/depart.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "platform/param.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {
struct Figures
{
    double median, low, high;
};

template <typename Work> Figures measure(int runs, Work work)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.first(), ms.last()};
}

void print(const char* what, const Figures& f)
{
    std::printf("%-40s median %7.2f ms   (min %7.2f, max %7.2f)\n", what, f.median, f.low, f.high);
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Param::setGlobals(
        AppGlobals::compose(QApplication::applicationFilePath(), QDateTime::currentDateTime()));
    FakeServices fakes;
    constexpr int Runs = 21;

    print("main window shown", measure(Runs, [&] {
              Depart depart(fakes.services);
              depart.resize(1024, 740);
              depart.show();
              [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&depart);
              QApplication::processEvents();
          }));

    for (const QSize size : {QSize(1024, 740), QSize(1920, 1050)}) {
        const QByteArray label = "draw screen opened at " + QByteArray::number(size.width()) + "x" +
                                 QByteArray::number(size.height());
        print(label.constData(), measure(Runs, [&] {
                  Tirage tirage(fakes.services);
                  tirage.resize(size);
                  tirage.show();
                  [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&tirage);
                  tirage.grab(); // one full paint
              }));
    }
    return 0;
}
