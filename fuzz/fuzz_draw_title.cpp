// The draw screen's title parsed back into a grid file name.
#include "fuzztext.h"
#include "grids/gridfilename.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<GridFileName> name = GridFileName::fromDrawTitle(fuzzText(data, size));
    if (name) {
        // Only a grid file's name ever comes out: no folder, no other file.
        require(GridFileName::parse(name->fileName()).has_value());
        require(!name->fileName().contains(u'/') && !name->fileName().contains(u'\\'));
        require(GridFileName::fromDrawTitle(drawTitle(*name))->fileName() == name->fileName());
    }
    return 0;
}
