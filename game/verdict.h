#pragma once

#include "grid.h"
#include "platform/messagebox.h"
#include "programme.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

enum class ClaimKind { WholeGrid, Line };

// What the check of a claim ends with: nothing (cancelled), a message box,
// or the result panel showing a winning grid, with what it means tonight.
struct Verdict
{
    enum class Kind { Stopped, Message, Winner };
    using CellTexts = std::array<QString, Grid::Cells>; // index 9(r - 1) + c - 1

    Kind kind = Kind::Stopped;
    QString text; // the message, or the panel's title
    CellTexts cellTexts;
    QList<int> redCells;              // CaseGrille indexes 1..27
    QString note;                     // what the title leaves unsaid, shown under it
    QString details;                  // under the panel's grid: when and how it won
    MsgIcon icon = MsgIcon::Critical; // of the message box, when there is no panel
    // A verdict on a grid found, as the record keeps it: the entry and the
    // numbers drawn (of the grid, or of its best row).
    bool isVerdict = false;
    QString entry;
    int matches = 0;
    QString code; // the card's control code, when the file has a secret
    int grid = 0;
    std::optional<Phase> claim; // the phase "Valider le gagnant" records
    int completedAt = 0;        // where the grid reached that phase
    int completingNumber = 0;
};

// A grid a player claims with, as read from the grid file.
struct ClaimedGrid
{
    ClaimKind kind = ClaimKind::Line;
    QString entry; // as the operator reads it: "00042"
    Grid grid;
    Verdict::CellTexts cellTexts;
    std::array<int, 15> gridNumbers{};               // for the whole grid
    std::array<std::array<int, 5>, 3> lineNumbers{}; // for the lines, row by row
    QString code;
};
