#pragma once

#include <QByteArray>

// Plays a spoken-number clip asynchronously; a new clip cuts off the one playing.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual void play(int clip) = 0;
    // A whole WAV image; one that cannot be played stays silent.
    virtual void playImage(const QByteArray& wavImage) = 0;
};
