// Renders the report of a 10000-grid file (2500 sheets) to PDF with the
// shipped LOTO2.DAT, as a print would, and a bare QPainter run of the same
// page count for comparison. Prints pages per second.
#include "fakes/fakeservices.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"
#include "printing/reportdefinition.h"
#include "printing/reportrenderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString bin = QCoreApplication::applicationDirPath() + u"/../bin/"_s;
    QTemporaryDir dir;
    const QString appPath = dir.path() + u'/';
    if (!QFile::copy(bin + u"Loto1.dat"_s, appPath + u"Loto1.dat"_s)) {
        std::puts("template not found: build the program first");
        return 1;
    }
    FakeServices fakes;
    const QString grids = GridFolder::filePath(appPath, u"10000-01-01-2001.DAT"_s);
    GridFileBuilder(appPath, fakes.random, fakes.clock).build(10000, grids, {});
    const ReportDefinition definition = ReportDefinition::load(bin + u"LOTO2.DAT"_s);
    const QString pdf = argc > 1 ? QString::fromLocal8Bit(argv[1]) : appPath + u"report.pdf"_s;

    constexpr int Runs = 3;
    QList<double> report, bare;
    int pages = 0;
    for (int run = 0; run < Runs; ++run) {
        {
            GridFile file(grids, GridFile::Access::ReadWrite);
            file.emptyTempo();
            file.appendTempo(u"Numerella - Tirage du : 01-01-2001"_s);
        }
        GridFile file(grids, GridFile::Access::ReadOnly);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QElapsedTimer timer;
        timer.start();
        ReportRenderer(definition).render(printer, file, [&](int, int total) { pages = total; });
        report.append(timer.nsecsElapsed() / 1e9);

        // The same number of pages with one line of text each: the engine's floor.
        QPrinter plain(QPrinter::HighResolution);
        plain.setOutputFormat(QPrinter::PdfFormat);
        plain.setOutputFileName(appPath + u"bare.pdf"_s);
        timer.restart();
        QPainter painter(&plain);
        for (int page = 0; page < pages; ++page) {
            if (page)
                plain.newPage();
            painter.drawText(100, 100, u"Numerella - Tirage du : 01-01-2001"_s);
        }
        painter.end();
        bare.append(timer.nsecsElapsed() / 1e9);
    }
    std::sort(report.begin(), report.end());
    std::sort(bare.begin(), bare.end());
    const double r = report[Runs / 2], b = bare[Runs / 2];
    std::printf("report of 10000 grids: %d pages in %.2f s median (%.0f pages/s)\n", pages, r,
                pages / r);
    std::printf("bare pages, one line each: %.2f s median (%.0f pages/s)\n", b, pages / b);
    return 0;
}
