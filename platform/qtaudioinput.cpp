#include "qtaudioinput.h"

#include <QAudioSource>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
constexpr int SilentBackendMs = 1500;

qint16 sampleAt(const char* at, QAudioFormat::SampleFormat format)
{
    switch (format) {
    case QAudioFormat::UInt8:
        return qint16((int(quint8(*at)) - 128) << 8);
    case QAudioFormat::Int16: {
        qint16 v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    case QAudioFormat::Int32: {
        qint32 v;
        std::memcpy(&v, at, sizeof v);
        return qint16(v >> 16);
    }
    case QAudioFormat::Float: {
        float v;
        std::memcpy(&v, at, sizeof v);
        return qint16(std::clamp(v, -1.0f, 1.0f) * 32767);
    }
    default:
        return 0;
    }
}
} // namespace

QtAudioInput::QtAudioInput()
{
    connect(&m_devices, &QMediaDevices::audioInputsChanged, this, [this] {
        checkStillThere();
        emit devicesChanged();
    });
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(SilentBackendMs);
    connect(&m_watchdog, &QTimer::timeout, this, &QtAudioInput::fail);
}

QtAudioInput::~QtAudioInput()
{
    stop();
}

QString QtAudioInput::deviceName() const
{
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    return device.isNull() ? QString() : device.description();
}

int QtAudioInput::start(int preferredRate)
{
    stop();
    m_device = QMediaDevices::defaultAudioInput();
    if (m_device.isNull())
        return 0;
    m_format.setSampleRate(preferredRate);
    m_format.setChannelCount(1);
    m_format.setSampleFormat(QAudioFormat::Int16);
    if (!m_device.isFormatSupported(m_format))
        m_format = m_device.preferredFormat();
    m_source = new QAudioSource(m_device, m_format, this);
    connect(m_source, &QAudioSource::stateChanged, this, [this](QAudio::State state) {
        // Stopped from outside (the source muted or suspended in the mixer):
        // our own stop disconnects first.
        if (state == QAudio::StoppedState || state == QAudio::SuspendedState ||
            (m_source && m_source->error() != QAudio::NoError))
            fail();
    });
    m_io = m_source->start();
    if (!m_source || !m_io || m_source->error() != QAudio::NoError) {
        stop();
        return 0;
    }
    connect(m_io, &QIODevice::readyRead, this, &QtAudioInput::readAvailable);
    m_watchdog.start();
    return m_format.sampleRate();
}

void QtAudioInput::stop()
{
    m_watchdog.stop();
    if (m_source) {
        m_source->disconnect(this);
        m_source->stop();
        m_source->deleteLater();
    }
    m_source = nullptr;
    m_io = nullptr;
}

void QtAudioInput::readAvailable()
{
    if (!m_io)
        return;
    const QByteArray bytes = m_io->readAll();
    const int frame = m_format.bytesPerFrame();
    const int channels = m_format.channelCount();
    const int bytesPerSample = m_format.bytesPerSample();
    if (frame <= 0 || bytes.isEmpty())
        return;
    m_watchdog.start();
    QList<qint16> mono;
    mono.reserve(bytes.size() / frame);
    for (qsizetype at = 0; at + frame <= bytes.size(); at += frame) {
        int sum = 0; // the channels mixed down: a stereo microphone is still one voice
        for (int c = 0; c < channels; ++c)
            sum += sampleAt(bytes.constData() + at + c * bytesPerSample, m_format.sampleFormat());
        mono.append(qint16(sum / channels));
    }
    emit captured(mono);
}

void QtAudioInput::checkStillThere()
{
    if (!m_source)
        return;
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    const bool there = std::any_of(inputs.begin(), inputs.end(), [this](const QAudioDevice& d) {
        return d.id() == m_device.id();
    });
    if (!there || QMediaDevices::defaultAudioInput().isNull())
        fail();
}

void QtAudioInput::fail()
{
    if (!m_source)
        return;
    stop();
    emit lost();
}
