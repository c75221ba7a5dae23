#pragma once

#include "monoclip.h"

#include <optional>
#include <utility>

// Tells speech from silence, ten milliseconds at a time: the recorder's
// stop and the trim of a clip's two ends use the same judgement.
class SilenceGate
{
public:
    // Under this peak a piece of sound is silence wherever it is: a quiet
    // room through a laptop's microphone stays below it.
    static constexpr double FloorDb = -40.0;
    // Within a clip, what lies this far below its loudest is silence too
    // (breath, the hum of the hall).
    static constexpr double BelowLoudestDb = 30.0;

    static bool isSpeech(const qint16* samples, qsizetype count, double thresholdDb = FloorDb);
    // The first and last sample of speech, margins for the soft consonants
    // included; nullopt when the clip holds none.
    static std::optional<std::pair<qsizetype, qsizetype>> speechBounds(const MonoClip& clip);
};
