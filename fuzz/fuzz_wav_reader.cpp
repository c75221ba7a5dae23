// A WAV file as found in a folder to import or among a club voice's clips:
// any bytes are either read as a sound whose samples lie wholly inside them,
// or refused with a reason; what is read comes back the same once written.
#include "fuzztext.h"
#include "voice/wavfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString problem;
    const std::optional<MonoClip> clip = WavFile::decode(bytes, &problem);
    if (!clip) {
        require(!problem.isEmpty());
        return 0;
    }
    require(clip->rate > 0 && clip->samples.size() <= qsizetype(size));
    const std::optional<MonoClip> again = WavFile::decode(WavFile::encode(*clip));
    require(again && again->rate == clip->rate && again->samples == clip->samples);
    return 0;
}
