// The input box answer of a grid check, its "00000" formatting and the way
// messages show it.
#include "fuzztext.h"
#include "verify/entryformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString answer = fuzzText(data, size);
    const QString entry = formatGridEntry(answer);
    require(entry.isEmpty() == answer.isEmpty());
    // A formatted entry formats to itself: checking twice finds the same grid.
    require(formatGridEntry(entry) == entry);
    // Messages show it short, and never half a character.
    const QString shown = entryForMessages(entry);
    require(shown.size() <= 20);
    require(shown == entry || !shown.chopped(1).back().isHighSurrogate());
    return 0;
}
