#pragma once

#include "monoclip.h"

#include <optional>

// Makes a clip of the club's voice out of a raw take or an imported file:
// its leading and trailing silence cut, its peak brought to one level so
// that no number is called louder than another.
class ClipShaper
{
public:
    static constexpr double PeakDb = -1.0;
    // nullopt when the sound holds no speech at all.
    static std::optional<MonoClip> shape(const MonoClip& raw, int rate);
    static MonoClip trimmed(const MonoClip& raw);
    static MonoClip peakNormalised(const MonoClip& clip);
};
