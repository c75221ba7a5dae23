#include "clipplayer.h"

#include "wavclip.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

namespace {
std::optional<QAudioFormat> formatOf(const WavClip& clip)
{
    if (clip.audioFormat != 1 || clip.channels < 1 || clip.sampleRate <= 0)
        return std::nullopt;
    QAudioFormat format;
    format.setSampleRate(clip.sampleRate);
    format.setChannelCount(clip.channels);
    switch (clip.bitsPerSample) {
    case 8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    default:
        return std::nullopt;
    }
    return format;
}
} // namespace

ClipPlayer::ClipPlayer()
{
    m_feeder.setInterval(10);
    QObject::connect(&m_feeder, &QTimer::timeout, [this] { feed(); });
}

ClipPlayer::~ClipPlayer()
{
    if (m_sink)
        m_sink->stop();
}

bool ClipPlayer::ensureSink(const QAudioFormat& format)
{
    if (m_sink && m_format == format)
        return true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format))
        return false;
    if (m_sink)
        m_sink->stop();
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_format = format;
    return true;
}

void ClipPlayer::play(int clip)
{
    const std::optional<WavClip> wav = WavClip::parse(voiceClipImage(clip));
    if (!wav)
        return;
    const std::optional<QAudioFormat> format = formatOf(*wav);
    if (!format || !ensureSink(*format))
        return;
    // Pushing the samples starts the sound sooner than letting the output
    // pull them on its own timer.
    m_sink->stop();
    m_pending = wav->samples;
    m_output = m_sink->start();
    feed();
}

void ClipPlayer::feed()
{
    if (!m_output || m_pending.isEmpty()) {
        m_feeder.stop();
        return;
    }
    const qint64 written = m_output->write(m_pending);
    if (written > 0)
        m_pending.remove(0, written);
    if (written < 0)
        m_pending.clear(); // the output failed: give the clip up silently
    if (m_pending.isEmpty())
        m_feeder.stop();
    else if (!m_feeder.isActive())
        m_feeder.start();
}

qint64 ClipPlayer::playedMicroseconds() const
{
    return m_sink ? m_sink->processedUSecs() : 0;
}
