#include "silencegate.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr double LeadMarginSeconds = 0.04; // an "s" or "c" starts softly
constexpr double TailMarginSeconds = 0.08; // and "-six", "-sept" fade out
// The pieces this share of the sound is quieter than are the room's noise:
// the caller waits a moment before speaking and the take runs on after.
constexpr double NoiseShare = 0.1;
} // namespace

qsizetype SilenceGate::pieceSize(int rate)
{
    return std::max(1, rate / 100);
}

double SilenceGate::levelDb(const qint16* samples, qsizetype count)
{
    int loudest = 0;
    for (qsizetype i = 0; i < count; ++i)
        loudest = std::max(loudest, std::abs(int(samples[i])));
    return toDecibels(loudest / 32768.0);
}

QList<double> SilenceGate::levels(const MonoClip& clip)
{
    QList<double> out;
    if (clip.rate <= 0)
        return out;
    const qsizetype piece = pieceSize(clip.rate);
    const qsizetype size = clip.samples.size();
    out.reserve(size / piece + 1);
    for (qsizetype at = 0; at < size; at += piece)
        out.append(levelDb(clip.samples.constData() + at, std::min(piece, size - at)));
    return out;
}

std::optional<std::pair<qsizetype, qsizetype>>
SilenceGate::speechPieces(const QList<double>& levels)
{
    if (levels.isEmpty())
        return std::nullopt;
    QList<double> sorted = levels;
    const auto quiet = sorted.begin() + qsizetype(NoiseShare * double(sorted.size() - 1));
    std::nth_element(sorted.begin(), quiet, sorted.end());
    const double noise = std::min(*quiet, NoiseCeilingDb);
    const double loudest = *std::max_element(quiet, sorted.end());
    if (loudest <= FloorDb || loudest < noise + AboveNoiseDb)
        return std::nullopt;
    const double threshold = std::max({FloorDb, loudest - BelowLoudestDb,
                                       std::min(noise + AboveNoiseDb, loudest - NearLoudestDb)});
    const auto speech = [threshold](double level) {
        return level > threshold;
    };
    const auto first = std::find_if(levels.begin(), levels.end(), speech);
    const auto last = std::find_if(levels.rbegin(), levels.rend(), speech);
    return std::make_pair(first - levels.begin(), levels.rend() - last - 1);
}

std::optional<std::pair<qsizetype, qsizetype>> SilenceGate::speechBounds(const MonoClip& clip)
{
    const auto pieces = speechPieces(levels(clip));
    if (!pieces)
        return std::nullopt;
    const qsizetype piece = pieceSize(clip.rate);
    const qsizetype size = clip.samples.size();
    const qsizetype first = pieces->first * piece - qsizetype(LeadMarginSeconds * clip.rate);
    const qsizetype last =
        (pieces->second + 1) * piece - 1 + qsizetype(TailMarginSeconds * clip.rate);
    return std::make_pair(std::max<qsizetype>(0, first), std::min(size - 1, last));
}
