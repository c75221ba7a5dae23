#include "wavfile.h"

#include "wavclip.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {
constexpr int PcmFormat = 1;
constexpr int FloatFormat = 3;

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

// One sample as a fraction of full scale.
double sampleAt(const char* at, int format, int bits)
{
    if (format == FloatFormat) {
        if (bits == 32) {
            float v;
            std::memcpy(&v, at, 4);
            return std::isfinite(v) ? v : 0.0;
        }
        double v;
        std::memcpy(&v, at, 8);
        return std::isfinite(v) ? v : 0.0;
    }
    switch (bits) {
    case 8:
        return (quint8(*at) - 128) / 128.0;
    case 16:
        return qFromLittleEndian<qint16>(at) / 32768.0;
    case 24: {
        const qint32 v = qint32(quint32(quint8(at[0])) << 8 | quint32(quint8(at[1])) << 16 |
                                quint32(quint8(at[2])) << 24);
        return v / 2147483648.0;
    }
    default:
        return qFromLittleEndian<qint32>(at) / 2147483648.0;
    }
}

bool supported(const WavClip& wav)
{
    if (wav.channels < 1 || wav.channels > 8 || wav.sampleRate < 4000 || wav.sampleRate > 192000)
        return false;
    if (wav.audioFormat == PcmFormat)
        return wav.bitsPerSample == 8 || wav.bitsPerSample == 16 || wav.bitsPerSample == 24 ||
               wav.bitsPerSample == 32;
    return wav.audioFormat == FloatFormat && (wav.bitsPerSample == 32 || wav.bitsPerSample == 64);
}
} // namespace

QByteArray WavFile::encode(const MonoClip& clip)
{
    const quint32 dataBytes = quint32(clip.samples.size() * 2);
    QByteArray out;
    out.reserve(44 + qsizetype(dataBytes));
    out.append("RIFF");
    put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, PcmFormat);
    put16(out, 1);
    put32(out, quint32(clip.rate));
    put32(out, quint32(clip.rate) * 2);
    put16(out, 2);
    put16(out, 16);
    out.append("data");
    put32(out, dataBytes);
    for (qint16 s : clip.samples)
        put16(out, quint16(s));
    return out;
}

std::optional<MonoClip> WavFile::decode(const QByteArray& image, QString* problem)
{
    const auto refuse = [problem](const QString& why) {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    const std::optional<WavClip> wav = WavClip::parse(image);
    if (!wav)
        return refuse(u"ce n'est pas un fichier WAV complet"_s);
    if (!supported(*wav))
        return refuse(u"ce genre de fichier WAV n'est pas pris en charge"_s);
    const int bytesPerSample = wav->bitsPerSample / 8;
    const int frame = bytesPerSample * wav->channels;
    MonoClip clip{wav->sampleRate, {}};
    const qsizetype frames = wav->samples.size() / frame;
    clip.samples.reserve(frames);
    const char* data = wav->samples.constData();
    for (qsizetype f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < wav->channels; ++c)
            sum += sampleAt(data + f * frame + c * bytesPerSample, wav->audioFormat,
                            wav->bitsPerSample);
        // Scaled by 32768 so that 16-bit samples come back exactly.
        const long mono = std::lround(sum / wav->channels * 32768);
        clip.samples.append(qint16(std::clamp(mono, -32768L, 32767L)));
    }
    return clip;
}

std::optional<MonoClip> WavFile::readClip(const QString& path)
{
    // A spoken number is a second or two; anything far bigger is no clip of ours.
    constexpr qint64 MaxClipBytes = 4 * 1024 * 1024;
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > MaxClipBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.readAll());
}
