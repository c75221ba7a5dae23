#include "seriesexport.h"

#include "drawreport.h"
#include "eveningsummary.h"
#include "game/gamerecord.h"
#include "game/seriescsv.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"
#include "pendingoutput.h"
#include "platform/atomicfile.h"
#include "platform/busypointer.h"
#include "platform/param.h"
#include "platform/savedialog.h"
#include "platform/services.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include <functional>

using namespace Qt::StringLiterals;

namespace SeriesExport {

namespace {
// Printed, or saved as a PDF in GRILLES where there is no printer.
bool print(Services& services, QWidget* parent, const QString& stem, const QString& name,
           const std::function<void(QPrinter&)>& render)
{
    const PrintJob job{QString(), GridFolder::path(Param::AppPath()), stem + u".pdf"_s, true, name};
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(stem);
    try {
        PendingOutput output(services.printer);
        if (!services.printer.prepare(printer, parent, job))
            return false;
        {
            const BusyPointer busy;
            render(printer);
        }
        output.deliver(parent);
        return true;
    } catch (const GridFileError& e) {
        services.message(parent, MsgIcon::Critical, e.message());
        return false;
    }
}
} // namespace

bool printReport(Services& services, const RecordedSeries& series, QWidget* parent)
{
    const DrawReport report(series);
    return print(services, parent, DrawReport::fileStem(series), u"le rapport du tirage"_s,
                 [&](QPrinter& printer) {
                     DrawReport::setUpPage(printer);
                     report.render(printer);
                 });
}

bool printEveningSummary(Services& services, const QList<RecordedSeries>& series, QWidget* parent)
{
    const EveningSummary summary(series);
    return print(services, parent, summary.fileStem(), u"le résumé de la soirée"_s,
                 [&](QPrinter& printer) { summary.render(printer); });
}

bool printLatestEvening(Services& services, const QString& recordPath, QWidget* parent)
{
    if (recordPath.isEmpty()) {
        services.message(parent, MsgIcon::Exclamation,
                         u"Aucun registre des tirages n'est tenu sur cet ordinateur."_s);
        return false;
    }
    QList<RecordedSeries> series;
    try {
        GameRecord record(recordPath);
        if (const qint64 evening = record.latestEvening())
            series = record.evening(evening);
    } catch (const RecordError& e) {
        services.message(parent, MsgIcon::Critical, e.message());
        return false;
    }
    if (series.isEmpty()) {
        services.message(parent, MsgIcon::Exclamation,
                         u"Aucune soirée n'est encore enregistrée.\n\nUne soirée commence au "
                         "premier tirage fait avec un fichier de grilles."_s);
        return false;
    }
    return printEveningSummary(services, series, parent);
}

bool exportCsv(Services& services, const RecordedSeries& series, QWidget* parent)
{
    const QString suggestion =
        SaveDialog::documentsFolder() + u'/' + DrawReport::fileStem(series) + u".csv"_s;
    QString proposed = suggestion;
    QString path;
    for (;;) {
        path = services.saveDialog.ask(parent, u"Exporter le tirage en CSV"_s, proposed,
                                       u"Tableaux CSV (*.csv)"_s);
        if (path.isEmpty())
            return false;
        if (!path.endsWith(u".csv"_s, Qt::CaseInsensitive))
            path += u".csv"_s;
        // A folder of that name is not offered for replacing: the write says so.
        if (QFileInfo(path).isDir() || SaveDialog::mayReplace(services.messages, parent, path))
            break;
        proposed = path; // Non: the dialog again, on that name
    }
    if (const QString why = AtomicFile::save(path, seriesCsv(series)); !why.isEmpty()) {
        services.message(parent, MsgIcon::Critical,
                         u"Le fichier\n"_s + QDir::toNativeSeparators(path) +
                             u"\nn'a pas pu être enregistré : "_s + why + u"."_s);
        return false;
    }
    services.message(parent, MsgIcon::Information,
                     u"Le tirage a été exporté dans le fichier :\n"_s +
                         QDir::toNativeSeparators(path));
    return true;
}

} // namespace SeriesExport
