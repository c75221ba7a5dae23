#include "clipshaper.h"

#include "silencegate.h"

#include <algorithm>
#include <cmath>

std::optional<MonoClip> ClipShaper::shape(const MonoClip& raw, int rate)
{
    if (!SilenceGate::speechBounds(raw))
        return std::nullopt;
    return peakNormalised(trimmed(raw).resampled(rate));
}

MonoClip ClipShaper::trimmed(const MonoClip& raw)
{
    const auto bounds = SilenceGate::speechBounds(raw);
    if (!bounds)
        return {raw.rate, {}};
    return {raw.rate, raw.samples.mid(bounds->first, bounds->second - bounds->first + 1)};
}

MonoClip ClipShaper::peakNormalised(const MonoClip& clip)
{
    const double peak = clip.peak();
    if (peak <= 0)
        return clip;
    const double gain = std::pow(10.0, PeakDb / 20) / peak;
    MonoClip out{clip.rate, {}};
    out.samples.reserve(clip.samples.size());
    for (qint16 s : clip.samples)
        out.samples.append(qint16(std::clamp(std::lround(s * gain), -32768L, 32767L)));
    return out;
}
