#include "gridprinter.h"

#include "evening/organiser.h"
#include "gridfilelabel.h"
#include "grids/gridfile.h"
#include "grids/gridfileerror.h"
#include "grids/gridfilename.h"
#include "grids/gridfolder.h"
#include "pendingoutput.h"
#include "platform/busypointer.h"
#include "platform/param.h"
#include "platform/printeroutput.h"
#include "platform/services.h"
#include "reportdefinition.h"
#include "reportrenderer.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>

#include <optional>

using namespace Qt::StringLiterals;

namespace {
// Empties TEMPO when it goes, so no heading row outlives a print.
class TempoCleaner
{
public:
    explicit TempoCleaner(const QString& path) : m_path(path) {}
    ~TempoCleaner()
    {
        try {
            GridFile file(m_path, GridFile::Access::ReadWrite);
            file.emptyTempo();
            file.close();
        } catch (const GridFileError&) {
            // The print itself already failed on this file and said so.
        }
    }
    TempoCleaner(const TempoCleaner&) = delete;
    TempoCleaner& operator=(const TempoCleaner&) = delete;

private:
    QString m_path;
};

// "Grilles du 24-12-2026 - 500.pdf"; part of a file, "Grilles du 24-12-2026 -
// 500 (10 à 20).pdf", so a sheet printed again never takes the whole file's name.
QString pdfNameFor(const GridFileName& name, const PrintOptions& options)
{
    const QString range = options.range
                              ? u" (%1 à %2)"_s.arg(options.range->first).arg(options.range->second)
                              : QString();
    return u"Grilles du "_s + name.date + u" - "_s + QString::number(name.count) + range +
           u".pdf"_s;
}

// Writing TEMPO needs the right to write the file and, for the engine's
// journal, its folder: a read-only file, folder or disk has neither.
bool canWrite(const QString& path)
{
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}
} // namespace

namespace {
// The organiser's name, place and logo at the foot of every page, when set.
ReportBand organiserBand()
{
    const Organiser organiser = Organiser::read(Param::OrganiserFile());
    // Drawn at about 600 dpi for the band's 14 mm.
    return {organiser.name, organiser.place, organiser.logoImage(330)};
}
} // namespace

GridPrinter::GridPrinter(Services& services, PrinterOutput& output, QString appPath)
    : m_services(services), m_output(output), m_appPath(std::move(appPath))
{}

QString GridPrinter::withoutCodesText()
{
    return u"Ce fichier de grilles ne peut pas être modifié : il n'a pas encore de secret "
           "pour les codes de contrôle.\nSes cartes sont imprimées sans code de contrôle."_s;
}

QString GridPrinter::headingFor(const QString& label)
{
    return Product::name() + u" - Tirage du : "_s + GridFileLabel::dateOf(label);
}

std::optional<QString> GridPrinter::checkedFile(const QString& label, QWidget* parent,
                                                QWidget* selector)
{
    const std::optional<QString> fileName = GridFileLabel::fileName(label);
    if (!fileName) {
        m_services.message(parent, MsgIcon::Critical,
                           u"Le choix d'un fichier de grilles est obligatoire !!"_s);
        if (selector)
            selector->setFocus();
        return std::nullopt;
    }
    const QString path = GridFolder::resolve(m_appPath, *fileName);
    // A damaged file is refused before anything is printed.
    GridFile(path, GridFile::Access::ReadOnly).checkWhole(GridFileName::parse(*fileName)->count);
    return path;
}

ReportDefinition GridPrinter::definitionFor(const PrintOptions& options) const
{
    return ReportDefinition::load(m_appPath + options.definitionFile());
}

bool GridPrinter::PrintGridFile(const QString& label, QWidget* parent, QWidget* selector,
                                const PrintOptions& options)
{
    try {
        const std::optional<QString> path = checkedFile(label, parent, selector);
        if (!path)
            return false;
        const PrintJob job{
            *path,
            GridFolder::path(m_appPath),
            pdfNameFor(*GridFileName::parse(*GridFileLabel::fileName(label)), options),
            false,
            {}};
        PendingOutput output(m_output);
        if (!printReport(job, headingFor(label), options, parent))
            return false;
        output.deliver(parent);
        return true;
    } catch (const GridFileError& e) {
        m_services.message(parent, MsgIcon::Critical, e.message());
        return false;
    }
}

void GridPrinter::preview(const QString& label, const PrintOptions& options, QWidget* parent,
                          QWidget* selector)
{
    std::optional<QString> failure;
    try {
        const std::optional<QString> path = checkedFile(label, parent, selector);
        if (!path)
            return;
        ReportRenderer renderer(definitionFor(options));
        if (options.range)
            renderer.setRange(options.range->first, options.range->second);
        renderer.setBand(organiserBand());
        GridFile file(*path, GridFile::Access::ReadOnly);
        const QString heading = headingFor(label);
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(heading);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(u"Aperçu - "_s + heading);
        // The print itself goes through the screen's own button, by way of TEMPO.
        // Its tool bar is filled in as it opens: the key is hidden once it shows.
        const QStringList print{QCoreApplication::translate("QPrintPreviewDialog", "Print"),
                                u"Print"_s, u"Imprimer"_s};
        const auto hidePrint = [&dialog, print] {
            for (QAction* action : dialog.findChildren<QAction*>())
                if (print.contains(QString(action->text()).remove(u'&'), Qt::CaseInsensitive) ||
                    print.contains(action->toolTip(), Qt::CaseInsensitive))
                    action->setVisible(false);
        };
        hidePrint();
        QTimer::singleShot(0, &dialog, hidePrint);
        QObject::connect(
            &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* device) {
                try {
                    BusyPointer busy;
                    renderer.render(*device, file, heading, {});
                } catch (const GridFileError& e) {
                    failure = e.message();
                    QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
                }
            });
        dialog.exec();
    } catch (const GridFileError& e) {
        failure = e.message();
    }
    if (failure)
        m_services.message(parent, MsgIcon::Critical, *failure);
}

bool GridPrinter::printReport(const PrintJob& job, const QString& heading,
                              const PrintOptions& options, QWidget* parent)
{
    const QString& path = job.gridFile;
    // A report definition that cannot be read is said before any question.
    const ReportDefinition definition = definitionFor(options);
    const bool writable = canWrite(path);
    if (!writable && !GridFile(path, GridFile::Access::ReadOnly).cardSecret() &&
        !m_toldWithoutCodes.contains(path)) {
        m_toldWithoutCodes.insert(path);
        m_services.message(parent, MsgIcon::Information, withoutCodesText());
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(heading);
    // Where the report goes is settled before anything is written to the file.
    if (!m_output.prepare(printer, parent, job))
        return false;
    BusyPointer busy;
    std::optional<TempoCleaner> cleaner;
    if (writable) {
        {
            GridFile file(path, GridFile::Access::ReadWrite);
            file.ensureCardSecret(); // a file made before cards carried a code
            file.emptyTempo();       // a row left by a print that failed
            file.appendTempo(heading);
            file.close();
        }
        cleaner.emplace(path);
    }
    GridFile file(path, GridFile::Access::ReadOnly);
    QProgressDialog progress(u"Impression des grilles en cours..."_s, QString(), 0, 1, parent);
    progress.setWindowTitle(Param::AppTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(800);
    const auto showProgress = [&](int page, int pages) {
        progress.setMaximum(pages);
        progress.setValue(page);
    };
    ReportRenderer renderer(definition);
    if (options.range)
        renderer.setRange(options.range->first, options.range->second);
    renderer.setBand(organiserBand());
    if (cleaner)
        renderer.render(printer, file, showProgress); // the heading from TEMPO
    else
        renderer.render(printer, file, heading, showProgress);
    file.close();
    return true;
}
