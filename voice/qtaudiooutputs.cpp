#include "qtaudiooutputs.h"

#include "qtclipsink.h"

#include <QAudioDevice>

QtAudioOutputs::QtAudioOutputs()
{
    connect(&m_devices, &QMediaDevices::audioOutputsChanged, this, &AudioOutputs::changed);
}

QByteArray QtAudioOutputs::defaultOutputId() const
{
    return QMediaDevices::defaultAudioOutput().id();
}

std::unique_ptr<ClipSink> QtAudioOutputs::open(const QByteArray& outputId,
                                               const QAudioFormat& format)
{
    if (outputId.isEmpty())
        return nullptr;
    for (const QAudioDevice& device : QMediaDevices::audioOutputs()) {
        if (device.id() == outputId)
            return device.isFormatSupported(format) ? std::make_unique<QtClipSink>(device, format)
                                                    : nullptr;
    }
    return nullptr;
}
