// The generator's count field: only whole numbers from 1 to 10000 pass.
#include "fuzztext.h"
#include "grids/generatorinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzzText(data, size).left(5); // the field holds five characters
    using GeneratorInput::CountCheck;
    if (GeneratorInput::checkCount(text) == CountCheck::Ok) {
        bool ok = false;
        const int count = text.toInt(&ok);
        require(ok && count >= 1 && count <= GeneratorInput::MaxGrids);
        const int adjusted = GeneratorInput::adjustedCount(count);
        require(adjusted % 4 == 0 && adjusted >= count && adjusted - count < 4);
        require(adjusted <= GeneratorInput::MaxGrids);
    }
    return 0;
}
