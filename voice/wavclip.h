#pragma once

#include <QByteArray>

#include <optional>

// The parts of a WAV image a player needs: the PCM format and the samples.
struct WavClip
{
    int audioFormat = 0; // 1 is PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples; // the "data" chunk

    // nullopt unless the image is RIFF "WAVE" with "fmt " and "data" chunks
    // that lie wholly inside it.
    static std::optional<WavClip> parse(const QByteArray& image);
    double seconds() const;
};

// The spoken-number clip of that number (1..180) as compiled into the
// program; empty for any other number.
QByteArray voiceClipImage(int clip);

inline constexpr int VoiceClipCount = 180;
