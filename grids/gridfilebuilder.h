#pragma once

#include <QString>

#include <functional>

class Clock;
class RandomSource;

// Makes a complete grid file in one go. The file is built under a scratch
// name in GRILLES and renamed over the final name only once complete and on
// disk, so a failure half-way never leaves a broken grid file nor destroys
// the one being replaced. Failures are thrown as GridFileError, with nothing
// left behind.
class GridFileBuilder
{
public:
    GridFileBuilder(QString appPath, RandomSource& random, const Clock& clock);

    QString templatePath() const;
    // Throws when the template is missing, before anything is written.
    void checkTemplate() const;
    // progress(g) runs before grid g is made; it may throw to abandon the run.
    // The grids are drawn on the calling thread, which alone uses the random
    // source and calls progress, while a second thread writes them; that
    // thread has ended by the time build() returns or throws.
    void build(int count, const QString& finalPath, const std::function<void(int)>& progress);

    // Whether a name in GRILLES is one of the builder's scratch files.
    static bool isScratchName(const QString& fileName);

private:
    QString scratchPath() const;
    void removeStaleScratchFiles() const;

    QString m_appPath;
    RandomSource& m_random;
    const Clock& m_clock;
};
