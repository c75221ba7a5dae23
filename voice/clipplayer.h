#pragma once

#include "platform/soundoutput.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QMetaObject>

#include <memory>

class AudioOutputs;
class ClipSink;

// Plays the spoken-number clips from memory through the default audio output,
// following it when it moves (a projector or headset plugged in mid-evening).
// A new clip cuts off the one playing; a clip that cannot be played, or a
// machine without sound, stays silent and the draw goes on.
class ClipPlayer : public SoundOutput
{
public:
    explicit ClipPlayer(AudioOutputs& outputs);
    ~ClipPlayer() override;

    void play(int clip) override;
    void playImage(const QByteArray& wavImage) override;
    // For the bench: microseconds of sound the output has taken since the last start.
    qint64 playedMicroseconds() const;

private:
    bool ensureSink(const QAudioFormat& format);

    AudioOutputs& m_outputs;
    QMetaObject::Connection m_outputsChanged;
    std::unique_ptr<ClipSink> m_sink;
    QByteArray m_sinkOutput;
    QAudioFormat m_format;
    // Set when the outputs changed: even under the same id the output may be
    // a new one (a headset unplugged and plugged back), so the sink is reopened.
    bool m_outputsMoved = false;
};
