#include "draw/clipplayer.h"
#include "draw/wavclip.h"

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

    void playingWithoutSoundDeviceStaysSilent()
    {
        // This machine has no sound card: nothing may crash or block.
        ClipPlayer player;
        for (int id : {1, 47, 137, 180, 0, 181, -5})
            player.play(id);
        QVERIFY(true);
    }
};

QTEST_MAIN(TestVoiceClips)
#include "test_voiceclips.moc"
