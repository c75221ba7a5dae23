#include "seriesexport.h"

#include "drawreport.h"
#include "game/seriescsv.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"
#include "pendingoutput.h"
#include "platform/busypointer.h"
#include "platform/errortext.h"
#include "platform/param.h"
#include "platform/savedialog.h"
#include "platform/services.h"

#include <QDir>
#include <QPrinter>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace SeriesExport {

bool printReport(Services& services, const RecordedSeries& series, QWidget* parent)
{
    const DrawReport report(series);
    const PrintJob job{QString(), GridFolder::path(Param::AppPath()),
                       DrawReport::fileStem(series) + u".pdf"_s, true};
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(DrawReport::fileStem(series));
    try {
        PendingOutput output(services.printer);
        if (!services.printer.prepare(printer, parent, job))
            return false;
        {
            const BusyPointer busy;
            DrawReport::setUpPage(printer);
            report.render(printer);
        }
        output.deliver(parent);
        return true;
    } catch (const GridFileError& e) {
        services.message(parent, MsgIcon::Critical, e.message());
        return false;
    }
}

bool exportCsv(Services& services, const RecordedSeries& series, QWidget* parent)
{
    QString path = services.saveDialog.ask(parent, u"Exporter le tirage en CSV"_s,
                                           SaveDialog::documentsFolder() + u'/' +
                                               DrawReport::fileStem(series) + u".csv"_s,
                                           u"Tableaux CSV (*.csv)"_s);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(u".csv"_s, Qt::CaseInsensitive))
        path += u".csv"_s;
    // Written whole under a scratch name, then put in place: a full disk
    // leaves the earlier file as it was and no scratch file behind.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(seriesCsv(series));
        if (file.commit())
            return true;
    }
    services.message(parent, MsgIcon::Critical,
                     u"Le fichier\n"_s + QDir::toNativeSeparators(path) +
                         u"\nn'a pas pu être enregistré : "_s + fileErrorText(file) + u"."_s);
    return false;
}

} // namespace SeriesExport
