// The grids sold, typed as ranges: what is accepted reads back to itself,
// and holds exactly the grids the text named.
#include "fuzztext.h"
#include "game/programme.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzzText(data, size);
    const std::optional<SoldGrids> sold = SoldGrids::parse(text);
    if (sold) {
        const std::optional<SoldGrids> again = SoldGrids::parse(sold->text());
        require(again && *again == *sold);
        for (const auto& r : sold->ranges())
            require(r.first >= 1 && r.first <= r.second && sold->contains(r.first) &&
                    sold->contains(r.second) && !sold->contains(r.first - 1));
    }
    return 0;
}
