#pragma once

#include "seriesrecord.h"

#include <QList>
#include <QString>

// What the evening's programme came to: per game and phase, its prize and
// the winners validated, as the reports print them.
struct PhaseResult
{
    int game = 0; // 1-based
    Phase phase = Phase::Quine;
    QString prize;
    QList<RecordedWin> wins;

    // A line per winner, "Quine - Un jambon : grille 12 au 14e numéro (le 42),
    // validée au 15e à 20:31"; one saying "pas de gagnant" when there is none.
    QStringList lines() const;
};

// The programme's phases in order, each with its wins; a win of a phase the
// programme no longer lists still gets its line, after those of its game.
// games: only these games (1-based), or every game played and programmed.
QList<PhaseResult> eveningResults(const Programme& programme, const QList<RecordedWin>& wins,
                                  const QList<int>& games = {});
