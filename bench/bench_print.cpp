// Renders the report of a 10000-grid file (2500 sheets) to PDF in each
// shipped layout, as a print would, and a bare QPainter run of the same page
// count for comparison. Prints pages per second. Given a folder, leaves each
// layout's PDF there; given a layout's file name too, runs that one only.
#include "fakes/fakeservices.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"
#include "printing/printoptions.h"
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
#include <ctime>

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
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) + u'/' : appPath;

    constexpr int Runs = 3;
    for (const auto& [cards, large] :
         {std::pair(4, false), std::pair(6, false), std::pair(2, false), std::pair(2, true),
          std::pair(1, false), std::pair(1, true)}) {
        const QString name = PrintOptions{cards, large, {}}.definitionFile();
        if (argc > 2 && name != QString::fromLocal8Bit(argv[2]))
            continue;
        const ReportDefinition definition = ReportDefinition::load(bin + name);
        const QString pdf = out + QString(name).replace(u".DAT"_s, u".pdf"_s);
        QList<double> report, reportCpu, bare;
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
            const std::clock_t cpu = std::clock();
            ReportRenderer(definition).render(printer, file, [&](int, int total) {
                pages = total;
            });
            report.append(timer.nsecsElapsed() / 1e9);
            reportCpu.append(double(std::clock() - cpu) / CLOCKS_PER_SEC);

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
        std::sort(reportCpu.begin(), reportCpu.end());
        std::sort(bare.begin(), bare.end());
        const double r = report[Runs / 2], b = bare[Runs / 2];
        // The processor time too: on a shared machine the elapsed time says little.
        std::printf("%-13s 10000 grids: %5d pages in %.2f s median (%5.0f pages/s, %.2f s of "
                    "processor); bare pages %.2f s (%.0f pages/s)\n",
                    qPrintable(name), pages, r, pages / r, reportCpu[Runs / 2], b, pages / b);
    }
    return 0;
}
