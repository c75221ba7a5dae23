#pragma once

#include <QString>
#include <QStringList>

// The folder GRILLES beside the program, where the grid files live.
namespace GridFolder {
QString path(const QString& appPath);
QString filePath(const QString& appPath, const QString& fileName);
// Creates the folder when missing; throws GridFileError when it cannot.
void make(const QString& appPath);
// The grid files' names, sorted without regard to case; nothing else in the
// folder (scratch files, a missing folder) ever shows.
QStringList list(const QString& appPath);
// The path of a grid file named so, its extension matched in any case.
QString resolve(const QString& appPath, const QString& fileName);
// Deletes a grid file; throws GridFileError when it cannot.
void remove(const QString& filePath);
} // namespace GridFolder
