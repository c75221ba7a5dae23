#pragma once

#include "programme.h"

#include <QString>

// The programmes kept in the user's data folder, one per grid file.
class ProgrammeStore
{
public:
    // An empty folder keeps nothing: every file gets the standard programme.
    explicit ProgrammeStore(QString folder) : m_folder(std::move(folder)) {}

    struct Loaded
    {
        Programme programme;
        QString problem; // in French, when a saved programme could not be read
    };
    // The programme saved for the grid file, or the standard one.
    Loaded load(const QString& gridFileName) const;
    // The reason in French when it could not be kept, else empty; the file
    // is replaced whole or not at all.
    QString save(const QString& gridFileName, const Programme& programme) const;

    QString pathFor(const QString& gridFileName) const;

private:
    QString m_folder;
};
