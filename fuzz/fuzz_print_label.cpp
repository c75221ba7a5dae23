// The printing screen's label turned back into a grid file name.
#include "fuzztext.h"
#include "grids/gridfilename.h"
#include "printing/gridfilelabel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<QString> name = GridFileLabel::fileName(fuzzText(data, size));
    if (name) {
        const std::optional<GridFileName> parsed = GridFileName::parse(*name);
        require(parsed.has_value());
        require(GridFileLabel::fileName(GridFileLabel::of(*parsed)) == name);
    }
    return 0;
}
