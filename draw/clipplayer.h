#pragma once

#include "app/soundoutput.h"

#include <QAudioFormat>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAudioSink;

// Plays the spoken-number clips from memory through the default audio output.
// A new clip cuts off the one playing; a clip that cannot be played, or a
// machine without sound, stays silent and the draw goes on.
class ClipPlayer : public SoundOutput
{
public:
    ClipPlayer();
    ~ClipPlayer() override;

    void play(int clip) override;
    // For the bench: microseconds of sound the output has taken since the last start.
    qint64 playedMicroseconds() const;

private:
    bool ensureSink(const QAudioFormat& format);
    void feed();

    // The samples not yet handed to the output: the player keeps its own copy,
    // so the data stay valid while the clip plays after play() has returned.
    QByteArray m_pending;
    std::unique_ptr<QAudioSink> m_sink;
    QPointer<QIODevice> m_output;
    QAudioFormat m_format;
    QTimer m_feeder;
};
