// Times the making of a 10000-grid file end to end (template copy, 10000
// grids, close, rename) against a floor: the same 2500 rows inserted through
// plain SQLite into a copy of the template. Prints both medians and the ratio.
// The grids are drawn on one thread while another writes them, so the ratio
// holds only with two cores free; the grids drawn alone show the share of the
// drawing.
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"
#include "grids/gridgenerator.h"
#include "platform/clock.h"
#include "platform/randomsource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

namespace {
double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// 2500 rows shaped like a grid file's: 60 numbers and 48 nulls among 108 cells.
void plainInserts(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN", nullptr, nullptr,
                 nullptr);
    std::string sql = "INSERT INTO TIRAGE VALUES (?, ?, ?, ?, ?";
    for (int i = 0; i < 108; ++i)
        sql += ", ?";
    sql += ")";
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
    char number[8];
    for (int sheet = 0; sheet < 2500; ++sheet) {
        sqlite3_reset(insert);
        sqlite3_clear_bindings(insert);
        sqlite3_bind_int(insert, 1, 4 * sheet + 1);
        for (int k = 0; k < 4; ++k) {
            std::snprintf(number, sizeof number, "%05d", 4 * sheet + 1 + k);
            sqlite3_bind_text(insert, 2 + k, number, -1, SQLITE_TRANSIENT);
        }
        for (int cell = 0; cell < 108; ++cell) {
            if (cell % 9 < 5)
                sqlite3_bind_int(insert, 6 + cell, 1 + (cell * 7 + sheet) % 90);
        }
        sqlite3_step(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString templatePath = QCoreApplication::applicationDirPath() + "/../bin/Loto1.dat";
    if (!QFile::exists(templatePath)) {
        std::printf("template not found: %s\n", qPrintable(templatePath));
        return 1;
    }
    QTemporaryDir dir;
    const QString appPath = dir.path() + '/';
    QFile::copy(templatePath, appPath + "Loto1.dat");
    GridFolder::make(appPath);
    SystemClock clock;
    SeededRandom random = SeededRandom::fromEntropy();

    constexpr int Runs = 21;
    QList<double> endToEnd, floor, drawing;
    for (int run = 0; run < Runs; ++run) {
        const QString target = GridFolder::filePath(appPath, "10000-02-02-2000.DAT");
        QElapsedTimer timer;
        timer.start();
        GridFileBuilder(appPath, random, clock).build(10000, target, {});
        endToEnd.append(timer.nsecsElapsed() / 1e6);

        const QString plain = appPath + "plain.dat";
        QFile::remove(plain);
        QFile::copy(templatePath, plain);
        timer.restart();
        plainInserts(plain);
        floor.append(timer.nsecsElapsed() / 1e6);

        // The grids alone, without any file: the share of the drawing rules.
        GridGenerator generator(random, clock);
        int sink = 0;
        timer.restart();
        for (int g = 0; g < 10000; ++g)
            sink += generator.makeGrid().cells[0];
        drawing.append(timer.nsecsElapsed() / 1e6);
        if (sink < 0)
            return 1;
    }
    const double e = median(endToEnd), f = median(floor);
    std::printf("10000-grid file end to end: median %.1f ms (%d runs)\n", e, Runs);
    std::printf("floor, 2500 plain inserts:  median %.1f ms\n", f);
    std::printf("ratio: %.2f\n", e / f);
    std::printf("10000 grids drawn alone, no file: median %.1f ms (%u cores)\n", median(drawing),
                std::thread::hardware_concurrency());
    return 0;
}
