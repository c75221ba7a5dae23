// One take recorded from the machine's default microphone through the real
// Qt input, as the "Voix du club" window records it: how long after the word
// the recording stopped, what the trim kept, and the take before and after
// the trim, written to a folder. bench/run_recording_source.sh feeds it a
// file through a PulseAudio null source.
#include "platform/qtaudioinput.h"
#include "voice/cliprecorder.h"
#include "voice/clipshaper.h"
#include "voice/silencegate.h"
#include "voice/wavfile.h"
#include "voice/wholefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::puts("bench_recording OUTPUT_FOLDER");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QtAudioInput input;
    if (input.deviceName().isEmpty()) {
        std::puts("no audio input: start a sound server first");
        return 1;
    }
    std::printf("input: %s\n", qPrintable(input.deviceName()));
    ClipRecorder recorder(input);
    double loudest = -120;
    QObject::connect(&recorder, &ClipRecorder::level,
                     [&loudest](double db) { loudest = std::max(loudest, db); });
    QElapsedTimer clock;
    int status = 1;
    QObject::connect(
        &recorder, &ClipRecorder::finished,
        [&](ClipRecorder::Outcome outcome, const MonoClip& take) {
            const char* said[] = {"spoken", "silent", "lost"};
            std::printf("take: %s, %.2f s at %d Hz, stopped %.0f ms after the start, "
                        "loudest %.1f dBFS\n",
                        said[int(outcome)], take.seconds(), take.rate, clock.nsecsElapsed() / 1e6,
                        loudest);
            writeWholeFile(out + QStringLiteral("/take.wav"), WavFile::encode(take));
            if (const auto bounds = SilenceGate::speechBounds(take)) {
                std::printf("speech with its margins: %.2f s to %.2f s; stop %.2f s "
                            "after its end\n",
                            double(bounds->first) / take.rate, double(bounds->second) / take.rate,
                            take.seconds() - double(bounds->second) / take.rate);
            }
            if (const auto clip = ClipShaper::shape(take, 22050)) {
                std::printf("clip kept: %.2f s, peak %.1f dBFS\n", clip->seconds(),
                            toDecibels(clip->peak()));
                writeWholeFile(out + QStringLiteral("/clip.wav"), WavFile::encode(*clip));
                status = 0;
            }
            QCoreApplication::quit();
        });
    clock.start();
    if (!recorder.start()) {
        std::puts("the input would not start");
        return 1;
    }
    std::puts("listening");
    std::fflush(stdout);
    QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    return status;
}
