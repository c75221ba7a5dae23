// Times PlayClip from the call to the moment the audio output has taken the
// first samples. Run it with a sound server up (bench/run_voice_bench.sh
// starts PulseAudio with a null sink standing in for a sound card).
#include "draw/clipplayer.h"
#include "platform/param.h"
#include "platform/qtaudiooutputs.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        std::puts("no audio output: start a sound server first");
        return 1;
    }
    QtAudioOutputs outputs;
    ClipPlayer player(outputs);
    Param::setSoundOutput(&player);
    constexpr int Runs = 41;
    QList<double> ms;
    for (int i = 0; i < Runs; ++i) {
        const int clip = 1 + (i * 37) % 180;
        QElapsedTimer timer;
        timer.start();
        Param::PlayClip(clip);
        const qint64 atStart = player.playedMicroseconds();
        while (player.playedMicroseconds() <= atStart && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        ms.append(timer.nsecsElapsed() / 1e6);
        // Let it play a moment, as between two calls of a real draw; the
        // next clip cuts it off.
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 150)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    Param::setSoundOutput(nullptr);
    std::sort(ms.begin(), ms.end());
    std::printf("PlayClip to first samples taken by the output: median %.2f ms (min %.2f, max "
                "%.2f, %d runs)\n",
                ms[ms.size() / 2], ms.first(), ms.last(), Runs);
    return 0;
}
