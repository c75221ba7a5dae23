#pragma once

#include "grids/gridsheet.h"

#include <QString>

#include <array>

#include "grids/gridfileerror.h"

// A grid's numbers collected through small scratch files (Verif.dat,
// VerifL1.dat to VerifL3.dat), written, read back and deleted within one
// reading. The files are removed whatever happens; a failure is thrown as a
// GridFileError.
namespace GridReading {

// The scratch folder could not be written or read back: another may do.
class ScratchFolderError : public GridFileError
{
public:
    using GridFileError::GridFileError;
};

using CellTexts = std::array<QString, Grid::Cells>; // index 9(r - 1) + c - 1

struct WholeGrid
{
    CellTexts cellTexts;
    std::array<int, 15> gridNumbers{}; // column by column, top to bottom
};

struct Lines
{
    CellTexts cellTexts;
    std::array<std::array<int, 5>, 3> lineNumbers{}; // row by row, left to right
};

// folder holds the scratch files; entry names the grid in messages.
WholeGrid readWholeGrid(const QString& folder, const Grid& grid, const QString& entry);
Lines readLines(const QString& folder, const Grid& grid, const QString& entry);

QString scratchName(int row); // 0 for the whole grid, 1..3 for a line

} // namespace GridReading
