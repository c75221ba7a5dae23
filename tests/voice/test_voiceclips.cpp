#include "fakes/fakeaudiooutputs.h"
#include "voice/clipplayer.h"
#include "voice/qtaudiooutputs.h"
#include "voice/wavclip.h"

#include <QSet>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {
// Loudness of the speech itself, silence around it left out.
double speechRmsDb(const QByteArray& samples)
{
    double sum = 0;
    int count = 0;
    for (char byte : samples) {
        const double v = (static_cast<unsigned char>(byte) - 128) / 128.0;
        if (std::abs(v) > 0.02) {
            sum += v * v;
            ++count;
        }
    }
    return count ? 10 * std::log10(sum / count) : -100;
}

QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray out(id, 4);
    char size[4];
    qToLittleEndian<quint32>(quint32(body.size()), size);
    return out + QByteArray(size, 4) + body;
}

// Each clip heard, as the output it was heard on and its number.
using Calls = QList<QPair<QByteArray, int>>;

Calls heard(const FakeAudioOutputs& outputs)
{
    Calls calls;
    for (const FakeAudioOutputs::Heard& clip : outputs.heard) {
        int id = 1;
        while (id <= VoiceClipCount && WavClip::parse(voiceClipImage(id))->samples != clip.samples)
            ++id;
        calls.append({clip.output, id});
    }
    return calls;
}
} // namespace

class TestVoiceClips : public QObject
{
    Q_OBJECT

private slots:
    void everyClipIsACompleteShortWavImage()
    {
        QSet<QByteArray> distinct;
        double quietest = 0, loudest = -100;
        for (int id = 1; id <= VoiceClipCount; ++id) {
            const QByteArray image = voiceClipImage(id);
            QVERIFY2(!image.isEmpty(), qPrintable(QString::number(id)));
            QVERIFY(image.size() <= 13424);
            QCOMPARE(qFromLittleEndian<quint32>(image.constData() + 4), quint32(image.size() - 8));
            const std::optional<WavClip> clip = WavClip::parse(image);
            QVERIFY(clip);
            QCOMPARE(clip->audioFormat, 1);
            QCOMPARE(clip->channels, 1);
            QCOMPARE(clip->sampleRate, 11025);
            QCOMPARE(clip->bitsPerSample, 8);
            QVERIFY2(clip->seconds() >= 0.30 && clip->seconds() <= 1.21,
                     qPrintable(QString::number(clip->seconds())));
            distinct.insert(clip->samples);
            const double rms = speechRmsDb(clip->samples);
            quietest = std::min(quietest, rms);
            loudest = std::max(loudest, rms);
        }
        QCOMPARE(distinct.size(), VoiceClipCount);
        QVERIFY2(loudest - quietest < 6, qPrintable(QString::number(loudest - quietest)));
    }

    void clipsAreNumberedByVoiceThenNumber()
    {
        QVERIFY(voiceClipImage(0).isEmpty());
        QVERIFY(voiceClipImage(181).isEmpty());
        const auto seconds = [](int id) {
            return WavClip::parse(voiceClipImage(id))->seconds();
        };
        // "un" is said far quicker than "soixante-dix-sept", in either voice.
        QVERIFY(seconds(1) < seconds(77) - 0.3);
        QVERIFY(seconds(90 + 1) < seconds(90 + 77) - 0.3);
    }

    void brokenImagesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("image");
        const QByteArray fmt =
            chunk("fmt ", QByteArray::fromHex("01000100112b0000112b000001000800"));
        const QByteArray data = chunk("data", QByteArray(100, char(128)));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not riff") << QByteArray("RIFX\0\0\0\0WAVE", 12) + fmt + data;
        QTest::newRow("no data") << QByteArray("RIFF\0\0\0\0WAVE", 12) + fmt;
        QTest::newRow("no fmt") << QByteArray("RIFF\0\0\0\0WAVE", 12) + data;
        QTest::newRow("data past the end")
            << QByteArray("RIFF\0\0\0\0WAVE", 12) + fmt + data.left(60);
        QTest::newRow("short fmt")
            << QByteArray("RIFF\0\0\0\0WAVE", 12) + chunk("fmt ", "ab") + data;
    }

    void brokenImagesAreRefused()
    {
        QFETCH(QByteArray, image);
        QVERIFY(!WavClip::parse(image));
    }

    void theVoiceFollowsTheDefaultOutput()
    {
        FakeAudioOutputs outputs;
        outputs.plug("speakers");
        ClipPlayer player(outputs);
        player.play(1);
        outputs.plug("hdmi"); // the projector
        outputs.setDefault("hdmi");
        player.play(2);
        player.play(3);
        outputs.unplug("hdmi");
        player.play(4);
        outputs.announces = false; // a backend that is late to tell
        outputs.plug("usb");
        outputs.setDefault("usb");
        player.play(5);
        QCOMPARE(heard(outputs),
                 (Calls{{"speakers", 1}, {"hdmi", 2}, {"hdmi", 3}, {"speakers", 4}, {"usb", 5}}));
        QCOMPARE(outputs.opened, 4); // one sink per move, not per clip
        QCOMPARE(outputs.openSinks, 1);
    }

    void anOutputPluggedBackIsOpenedAfresh()
    {
        FakeAudioOutputs outputs;
        outputs.plug("usb");
        ClipPlayer player(outputs);
        player.play(10);
        outputs.unplug("usb");
        outputs.plug("usb");
        player.play(11);
        QCOMPARE(heard(outputs), (Calls{{"usb", 10}, {"usb", 11}}));
    }

    void aRestartedSoundServerIsOpenedAfresh()
    {
        FakeAudioOutputs outputs;
        outputs.plug("speakers");
        ClipPlayer player(outputs);
        player.play(20);
        outputs.announces = false; // back under the same ids, without a word
        outputs.restartServer();
        player.play(21); // the old sink fails at once: the clip is heard on a new one
        player.play(22);
        outputs.restartServer();
        outputs.unplug("speakers"); // down, this time, when the next clip comes
        player.play(23);
        outputs.plug("speakers");
        player.play(24);
        QCOMPARE(heard(outputs),
                 (Calls{{"speakers", 20}, {"speakers", 21}, {"speakers", 22}, {"speakers", 24}}));
        QCOMPARE(outputs.opened, 3);
    }

    void theDrawGoesOnSilentlyWithoutAnOutput()
    {
        FakeAudioOutputs outputs;
        ClipPlayer player(outputs);
        for (int id : {1, 47, 180})
            player.play(id);
        QCOMPARE(outputs.opened, 0);

        outputs.plug("speakers");
        player.play(48);
        outputs.unplug("speakers");
        player.play(49);
        QCOMPARE(outputs.openSinks, 0); // nothing held on an output that is gone
        outputs.plug("hdmi");
        player.play(50);
        QCOMPARE(heard(outputs), (Calls{{"speakers", 48}, {"hdmi", 50}}));
    }

    void aClipThatCannotBePlayedStaysSilent()
    {
        FakeAudioOutputs outputs;
        outputs.plug("speakers");
        outputs.refusesFormats = true;
        ClipPlayer player(outputs);
        player.play(6);
        outputs.refusesFormats = false;
        player.play(7); // the output is asked again at the next clip
        for (int id : {0, 181, -5})
            player.play(id); // nothing to play: the clip playing is not cut off
        QCOMPARE(heard(outputs), (Calls{{"speakers", 7}}));
    }

    void qtOutputsOpenNothingOnAnOutputTheyDoNotHave()
    {
        QtAudioOutputs outputs;
        QAudioFormat format;
        format.setSampleRate(11025);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::UInt8);
        QVERIFY(!outputs.open(QByteArray(), format));
        QVERIFY(!outputs.open("no such output", format));
    }
};

QTEST_MAIN(TestVoiceClips)
#include "test_voiceclips.moc"
