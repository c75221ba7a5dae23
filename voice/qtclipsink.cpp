#include "qtclipsink.h"

QtClipSink::QtClipSink(const QAudioDevice& device, const QAudioFormat& format)
    : m_sink(device, format)
{
    m_feeder.setInterval(10);
    QObject::connect(&m_feeder, &QTimer::timeout, [this] { feed(); });
}

QtClipSink::~QtClipSink()
{
    m_sink.stop();
}

void QtClipSink::start(const QByteArray& samples)
{
    // Pushing the samples starts the sound sooner than letting the output
    // pull them on its own timer.
    m_sink.stop();
    m_pending = samples;
    m_output = m_sink.start();
    m_broken = !m_output;
    feed();
}

void QtClipSink::feed()
{
    if (!m_output || m_pending.isEmpty()) {
        m_feeder.stop();
        return;
    }
    const qint64 written = m_output->write(m_pending);
    if (written > 0)
        m_pending.remove(0, written);
    if (written < 0) {
        m_pending.clear(); // the output failed: give the clip up silently
        m_broken = true;
    }
    if (m_pending.isEmpty())
        m_feeder.stop();
    else if (!m_feeder.isActive())
        m_feeder.start();
}

qint64 QtClipSink::processedMicroseconds() const
{
    return m_sink.processedUSecs();
}

bool QtClipSink::failed() const
{
    // An underrun is only the end of a clip.
    const QAudio::Error error = m_sink.error();
    return m_broken || error == QAudio::OpenError || error == QAudio::IOError ||
           error == QAudio::FatalError;
}
