#pragma once

#include <QString>
#include <QStringList>

// The folder GRILLES beside the program, where the grid files live.
namespace GridFolder {
QString path(const QString& appPath);
QString filePath(const QString& appPath, const QString& fileName);
// Creates the folder when missing; throws GridFileError when it cannot.
void make(const QString& appPath);
// The grid files' names, newest draw first, then by grid count; nothing else
// in the folder (scratch files, a missing folder) ever shows, and of files
// whose names differ only by case, only the one resolve() picks.
QStringList list(const QString& appPath);
// The path of the grid file named so, whatever the case of its name.
QString resolve(const QString& appPath, const QString& fileName);
// Every file named so whatever the case, the one resolve() picks first;
// empty when there is none.
QStringList variants(const QString& appPath, const QString& fileName);
// Deletes a grid file; throws GridFileError when it cannot.
void remove(const QString& filePath);
} // namespace GridFolder
