// The generator's date field: an accepted date always makes a grid file name.
#include "fuzztext.h"
#include "grids/generatorinput.h"
#include "grids/gridfilename.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzzText(data, size).left(10); // the field holds ten characters
    if (GeneratorInput::isValidDate(text)) {
        const QString name = GridFileName::forDraw(4, text).fileName();
        const std::optional<GridFileName> parsed = GridFileName::parse(name);
        require(parsed && parsed->count == 4 && parsed->fileName() == name);
    }
    return 0;
}
