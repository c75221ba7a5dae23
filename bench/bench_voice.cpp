// Times the call of a number from the moment it is drawn to the moment the
// audio output has taken the first samples, in the built-in voices and in a
// club voice read from the data folder. Run it with a sound server up
// (bench/run_voice_bench.sh starts PulseAudio with a null sink standing in
// for a sound card).
#include "voice/callingvoice.h"
#include "voice/clipplayer.h"
#include "voice/clipshaper.h"
#include "voice/clubvoicestore.h"
#include "voice/qtaudiooutputs.h"
#include "voice/wavclip.h"
#include "voice/wavfile.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
constexpr int Runs = 41;

// Milliseconds from `call` to the output taking samples, once per number.
QList<double> time(ClipPlayer& player, const std::function<void(int)>& call)
{
    QList<double> ms;
    for (int i = 0; i < Runs; ++i) {
        const int number = 1 + (i * 37) % 90;
        QElapsedTimer timer;
        timer.start();
        call(number);
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
    std::sort(ms.begin(), ms.end());
    return ms;
}

void print(const char* what, const QList<double>& ms)
{
    std::printf("%s: median %.2f ms (p90 %.2f, min %.2f, max %.2f, %d runs)\n", what,
                ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.first(), ms.last(), Runs);
}

// A club voice as recorded here: 22050 Hz, 16 bits, one clip per number.
void recordVoice(const ClubVoiceStore& store, const QString& name)
{
    for (int n = 1; n <= ClubVoiceStore::Numbers; ++n)
        store.saveClip(name, n,
                       *ClipShaper::shape(*WavFile::decode(voiceClipImage(90 + n)), 22050));
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        std::puts("no audio output: start a sound server first");
        return 1;
    }
    QtAudioOutputs outputs;
    ClipPlayer player(outputs);
    print("built-in voice, number drawn to first samples taken by the output",
          time(player, [&player](int n) { player.play(n); }));

    QTemporaryDir folder;
    const ClubVoiceStore store(folder.path());
    recordVoice(store, QStringLiteral("Banc"));
    QElapsedTimer loading;
    loading.start();
    const CallingVoice club = CallingVoice::club(store, QStringLiteral("Banc"));
    std::printf("club voice read into memory when chosen: %.1f ms\n", loading.nsecsElapsed() / 1e6);
    print("club voice, number drawn to first samples taken by the output",
          time(player, [&player, &club](int n) { player.playImage(club.clip(n)); }));
    return 0;
}
