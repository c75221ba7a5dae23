#include "monoclip.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

double MonoClip::peak() const
{
    int loudest = 0;
    for (qint16 s : samples)
        loudest = std::max(loudest, std::abs(int(s)));
    return loudest / 32768.0;
}

MonoClip MonoClip::resampled(int newRate) const
{
    if (newRate <= 0 || rate <= 0 || newRate == rate || samples.isEmpty())
        return {newRate > 0 ? newRate : rate, samples};
    MonoClip out{newRate, {}};
    const qsizetype count = qsizetype(double(samples.size()) * newRate / rate);
    out.samples.reserve(count);
    const double step = double(rate) / newRate;
    for (qsizetype i = 0; i < count; ++i) {
        const double at = i * step;
        const qsizetype left = std::min(qsizetype(at), samples.size() - 1);
        const qsizetype right = std::min(left + 1, samples.size() - 1);
        const double t = at - double(left);
        out.samples.append(qint16(std::lround(samples[left] * (1 - t) + samples[right] * t)));
    }
    return out;
}

double toDecibels(double fraction)
{
    return fraction > 1e-6 ? 20 * std::log10(fraction) : -120.0;
}
