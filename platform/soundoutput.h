#pragma once

// Plays a spoken-number clip asynchronously; a new clip cuts off the one playing.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual void play(int clip) = 0;
};
