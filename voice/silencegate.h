#pragma once

#include "monoclip.h"

#include <optional>
#include <utility>

// Tells speech from silence, ten milliseconds at a time: the recorder's
// stop and the trim of a clip's two ends use the same judgement. Silence is
// judged against the room the sound was taken in: the noise floor is what
// the quietest pieces of the sound itself hold (a fan, the hall's chatter).
class SilenceGate
{
public:
    // Under this peak a piece of sound is silence wherever it is: a quiet
    // room through a laptop's microphone stays below it.
    static constexpr double FloorDb = -40.0;
    // Within a clip, what lies this far below its loudest is silence too
    // (breath, the hum of a quiet hall).
    static constexpr double BelowLoudestDb = 30.0;
    // What rises less than this above the room's noise is the room: a fan's
    // peaks wander some 5 dB above its floor.
    static constexpr double AboveNoiseDb = 10.0;
    // Yet the line is never drawn nearer the loudest than this, so that a
    // word barely louder than the hall keeps its quieter syllables.
    static constexpr double NearLoudestDb = 12.0;
    // No hall is steadily louder than this: a sound that never drops under
    // it is a held vowel, not noise.
    static constexpr double NoiseCeilingDb = -20.0;

    // Samples in one piece at that rate.
    static qsizetype pieceSize(int rate);
    // The peak of some samples, in decibels of full scale.
    static double levelDb(const qint16* samples, qsizetype count);
    // The level of each piece of a clip, the last one possibly shorter.
    static QList<double> levels(const MonoClip& clip);
    // The first and last piece of speech among those levels; nullopt when
    // none rises above the silence.
    static std::optional<std::pair<qsizetype, qsizetype>> speechPieces(const QList<double>& levels);
    // The first and last sample of speech, margins for the soft consonants
    // included; nullopt when the clip holds none.
    static std::optional<std::pair<qsizetype, qsizetype>> speechBounds(const MonoClip& clip);
};
