#include "clipplayer.h"

#include "audiooutputs.h"
#include "wavclip.h"

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

ClipPlayer::ClipPlayer(AudioOutputs& outputs) : m_outputs(outputs)
{
    // The clip playing is left to finish; the next one goes to the new default.
    m_outputsChanged =
        QObject::connect(&outputs, &AudioOutputs::changed, [this] { m_outputsMoved = true; });
}

ClipPlayer::~ClipPlayer()
{
    QObject::disconnect(m_outputsChanged);
}

bool ClipPlayer::ensureSink(const QAudioFormat& format)
{
    // The default is asked at every clip too: some backends tell of a
    // change late, or not at all.
    const QByteArray output = m_outputs.defaultOutputId();
    if (m_sink && !m_sink->failed() && !m_outputsMoved && m_sinkOutput == output &&
        m_format == format)
        return true;
    m_sink.reset();
    m_outputsMoved = false;
    if (!output.isEmpty())
        m_sink = m_outputs.open(output, format);
    m_sinkOutput = output;
    m_format = format;
    return m_sink != nullptr;
}

void ClipPlayer::play(int clip)
{
    playImage(voiceClipImage(clip));
}

void ClipPlayer::playImage(const QByteArray& wavImage)
{
    const std::optional<WavClip> wav = WavClip::parse(wavImage);
    if (!wav)
        return;
    const std::optional<QAudioFormat> format = formatOf(*wav);
    if (!format || !ensureSink(*format))
        return;
    m_sink->start(wav->samples);
    // A sound server restarted since the last clip shows only now, and may
    // not have said so: the clip is played once more, on a sink opened on
    // the output as it is now.
    if (m_sink->failed() && ensureSink(*format))
        m_sink->start(wav->samples);
}

qint64 ClipPlayer::playedMicroseconds() const
{
    return m_sink ? m_sink->processedMicroseconds() : 0;
}
