#pragma once

// Plays a spoken-number clip asynchronously; a new clip cuts off the one playing.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual void play(int clip) = 0;
};

// Used until the recorded voices are wired in: the draw goes on in silence.
class SilentSound : public SoundOutput
{
public:
    void play(int) override {}
};
