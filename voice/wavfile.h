#pragma once

#include "monoclip.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The club's clips on disk: WAV, PCM, mono, 16 bits. Reading takes what a
// sound editor commonly writes too (8 to 32 bits, floats, several channels),
// mixed down to mono.
class WavFile
{
public:
    static QByteArray encode(const MonoClip& clip);
    // nullopt with the reason, in French, when the image cannot be read.
    static std::optional<MonoClip> decode(const QByteArray& image, QString* problem = nullptr);
    // A clip file of a club voice; nullopt when it is missing, no regular
    // file, far bigger than a spoken number or no readable WAV.
    static std::optional<MonoClip> readClip(const QString& path);
};
