// The two fields of the range of grids to print, typed by the organiser: an
// accepted range lies inside the file, first to last; anything else is said.
#include "fuzztext.h"
#include "printing/printoptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int gridCount = 1 + (data[0] | (data[1] << 8)) % 60000;
    const QString text = fuzzText(data + 2, size - 2);
    const qsizetype cut = text.indexOf(u'\n');
    const QString first = cut < 0 ? text : text.left(cut);
    const QString last = cut < 0 ? QString() : text.mid(cut + 1);
    const GridRange read = GridRange::read(first, last, gridCount);
    if (read.range)
        require(read.refusal.isEmpty() && read.range->first >= 1 &&
                read.range->first <= read.range->second && read.range->second <= gridCount);
    else
        require(!read.refusal.isEmpty());
    return 0;
}
