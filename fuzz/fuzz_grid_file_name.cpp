// Names found in GRILLES: only grid file names are taken, and they round-trip.
#include "fuzztext.h"
#include "grids/gridfilename.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString name = fuzzText(data, size);
    const std::optional<GridFileName> parsed = GridFileName::parse(name);
    if (parsed) {
        require(parsed->count >= 1 && parsed->count <= 99999);
        require(parsed->fileName().compare(name, Qt::CaseInsensitive) == 0);
        require(drawTitle(*parsed).startsWith(u"Tirage du "));
    }
    return 0;
}
