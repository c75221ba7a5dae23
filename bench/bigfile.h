#pragma once

// The 10000-grid file the checks and the watch are measured on, made in a
// scratch folder beside a copy of the template the build leaves in bin/.
#include "fakes/fakeservices.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace Bench {
inline const QString BigTitle = QStringLiteral("Tirage du 01-01-2001 - 10000 grilles");

// The folder to use as the program's own, with the file in GRILLES; empty
// when the template is missing.
inline QString makeBigFile(const QTemporaryDir& dir, FakeServices& fakes)
{
    const QString templatePath =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/Loto1.dat");
    const QString appPath = dir.path() + u'/';
    if (!QFile::copy(templatePath, appPath + QStringLiteral("Loto1.dat"))) {
        std::puts("template not found: build the program first");
        return {};
    }
    GridFileBuilder(appPath, fakes.random, fakes.clock)
        .build(10000, GridFolder::filePath(appPath, QStringLiteral("10000-01-01-2001.DAT")), {});
    return appPath;
}
} // namespace Bench
