#pragma once

#include <QByteArray>
#include <QString>

// Puts bytes at a path whole: written beside it, then put in its place only
// once complete, never through a link nor over a folder (the shared
// writer, with the voice's own words for a folder in the way). Returns the path
// and the cause in French, or nothing when done.
QString writeWholeFile(const QString& path, const QByteArray& bytes);
