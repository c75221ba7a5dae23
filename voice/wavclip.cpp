#include "wavclip.h"

#include <QResource>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {
quint32 le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
quint16 le16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
} // namespace

std::optional<WavClip> WavClip::parse(const QByteArray& image)
{
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;
    WavClip clip;
    bool haveFormat = false;
    bool haveData = false;
    qsizetype at = 12;
    while (at + 8 <= image.size()) {
        const QByteArray id = image.mid(at, 4);
        const quint32 size = le32(image, at + 4);
        const qsizetype body = at + 8;
        if (size > quint32(image.size() - body))
            return std::nullopt; // a chunk running past the end: a broken image
        if (id == "fmt ") {
            if (size < 16)
                return std::nullopt;
            clip.audioFormat = le16(image, body);
            clip.channels = le16(image, body + 2);
            clip.sampleRate = int(le32(image, body + 4));
            clip.bitsPerSample = le16(image, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            clip.samples = image.mid(body, size);
            haveData = true;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData)
        return std::nullopt;
    return clip;
}

double WavClip::seconds() const
{
    const int bytesPerSecond = sampleRate * channels * (bitsPerSample / 8);
    return bytesPerSecond > 0 ? double(samples.size()) / bytesPerSecond : 0.0;
}

QByteArray voiceClipImage(int clip)
{
    if (clip < 1 || clip > VoiceClipCount)
        return {};
    const QResource resource(u":/ATM_SOUND/"_s + QString::number(clip));
    return resource.isValid() ? resource.uncompressedData() : QByteArray();
}
