#pragma once

#include "audiooutputs.h"

#include <QMediaDevices>

// The machine's outputs as Qt Multimedia reports them.
class QtAudioOutputs : public AudioOutputs
{
    Q_OBJECT

public:
    QtAudioOutputs();

    QByteArray defaultOutputId() const override;
    std::unique_ptr<ClipSink> open(const QByteArray& outputId, const QAudioFormat& format) override;

private:
    QMediaDevices m_devices; // only there to hear of changes
};
