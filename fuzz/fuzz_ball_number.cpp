// The ball machine's field: a number is accepted only when it is what the
// operator meant, a plain 1 to 90 with spaces around at most.
#include "fuzztext.h"
#include "game/ballnumber.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzzText(data, size).left(20); // the field holds twenty characters
    const std::optional<int> n = parseBallNumber(text);
    if (n) {
        require(*n >= 1 && *n <= 90);
        bool ok = false;
        require(text.trimmed().toInt(&ok) == *n && ok);
        require(!text.trimmed().contains(u' '));
    }
    return 0;
}
