#include "silencegate.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr double LeadMarginSeconds = 0.04; // an "s" or "c" starts softly
constexpr double TailMarginSeconds = 0.08; // and "-six", "-sept" fade out
} // namespace

bool SilenceGate::isSpeech(const qint16* samples, qsizetype count, double thresholdDb)
{
    int loudest = 0;
    for (qsizetype i = 0; i < count; ++i)
        loudest = std::max(loudest, std::abs(int(samples[i])));
    return toDecibels(loudest / 32768.0) > thresholdDb;
}

std::optional<std::pair<qsizetype, qsizetype>> SilenceGate::speechBounds(const MonoClip& clip)
{
    const double loudestDb = toDecibels(clip.peak());
    if (clip.rate <= 0 || loudestDb <= FloorDb)
        return std::nullopt;
    const double threshold = std::max(FloorDb, loudestDb - BelowLoudestDb);
    const qsizetype piece = std::max(1, clip.rate / 100);
    const qsizetype size = clip.samples.size();
    qsizetype first = -1, last = -1;
    for (qsizetype at = 0; at < size; at += piece) {
        const qsizetype count = std::min(piece, size - at);
        if (isSpeech(clip.samples.constData() + at, count, threshold)) {
            if (first < 0)
                first = at;
            last = at + count - 1;
        }
    }
    if (first < 0)
        return std::nullopt;
    first = std::max<qsizetype>(0, first - qsizetype(LeadMarginSeconds * clip.rate));
    last = std::min(size - 1, last + qsizetype(TailMarginSeconds * clip.rate));
    return std::make_pair(first, last);
}
