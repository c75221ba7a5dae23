// The report definition LOTO2.DAT: any content is either read or refused.
#include "fuzztext.h"
#include "grids/gridfileerror.h"
#include "printing/reportdefinition.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts want an application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const ReportDefinition d = ReportDefinition::parse(
            QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), u"LOTO2.DAT"_qs);
        require(d.cardsPerPage >= 1 && d.cardsPerPage <= 16);
        require(d.cardHeight > d.numberHeight);
    } catch (const GridFileError& e) {
        require(!e.message().isEmpty());
    }
    return 0;
}
