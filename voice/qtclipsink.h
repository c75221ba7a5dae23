#pragma once

#include "clipsink.h"

#include <QAudioSink>
#include <QPointer>
#include <QTimer>

class QAudioDevice;
class QAudioFormat;

// A QAudioSink the samples are pushed into.
class QtClipSink : public ClipSink
{
public:
    QtClipSink(const QAudioDevice& device, const QAudioFormat& format);
    ~QtClipSink() override;

    void start(const QByteArray& samples) override;
    qint64 processedMicroseconds() const override;
    bool failed() const override;

private:
    void feed();

    QAudioSink m_sink;
    // The samples not yet handed to the output.
    QByteArray m_pending;
    QPointer<QIODevice> m_output;
    QTimer m_feeder;
    bool m_broken = false;
};
