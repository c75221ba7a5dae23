#pragma once

#include "clipsink.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

#include <memory>

// The machine's sound outputs as the player sees them: which one is the
// default now, and a sink opened on one of them. Outputs come and go during
// an evening (a projector over HDMI, the hall's speakers, a USB headset).
class AudioOutputs : public QObject
{
    Q_OBJECT

public:
    // The id of the current default output; empty when the machine has none.
    virtual QByteArray defaultOutputId() const = 0;
    // A sink on that output for that format; null when the output is gone or
    // refuses the format.
    virtual std::unique_ptr<ClipSink> open(const QByteArray& outputId,
                                           const QAudioFormat& format) = 0;

signals:
    // An output appeared or went, or the default moved.
    void changed();
};
