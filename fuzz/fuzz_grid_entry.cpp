// The input box answer of a grid check and its "00000" formatting.
#include "fuzztext.h"
#include "verify/entryformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString answer = fuzzText(data, size);
    const QString entry = formatGridEntry(answer);
    require(entry.isEmpty() == answer.isEmpty());
    // A formatted entry formats to itself: checking twice finds the same grid.
    require(formatGridEntry(entry) == entry);
    return 0;
}
