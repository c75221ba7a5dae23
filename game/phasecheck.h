#pragma once

#include "grid.h"
#include "programme.h"

#include <QList>
#include <QString>

// A grid measured against the phase being played: how many full lines it
// has, what it still lacks, and at which number it reached the phase.
struct PhaseCheck
{
    Phase phase = Phase::Quine;
    int fullLines = 0;
    bool wins = false;
    QList<int> missing;       // for a grid that has not won, in ascending order
    int completedAt = 0;      // rank in the draw at which it won, 1-based
    int completingNumber = 0; // the number drawn at that rank
    int drawnCount = 0;       // numbers out when checked

    // The lines the operator reads under today's verdict.
    QString explanation() const;
    // "Il manque : 15 68", for a grid that has not won.
    QString missingText() const;
    // Why the phase is not won by a grid whose lines read as a win:
    // "La grille numéro 00027 n'a qu'une ligne : il en faut deux pour la
    // double quine."; empty when its lines say nothing false.
    QString shortOfPhase(const QString& entry) const;
};

PhaseCheck checkPhase(const Grid& grid, const QList<int>& sequence, Phase phase);

// "1er", "2e", "37e".
QString ordinal(int rank);
