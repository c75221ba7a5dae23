// A saved programme found in the user's data folder: anything read back is
// a programme that can be played, and writes back to the same programme.
#include "fuzztext.h"
#include "game/programme.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<Programme> programme = Programme::fromJson(bytes);
    if (programme) {
        require(programme->fault().isEmpty());
        const std::optional<Programme> again = Programme::fromJson(programme->toJson());
        require(again && *again == *programme);
    }
    return 0;
}
