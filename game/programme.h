#pragma once

#include "soldgrids.h"

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// The evening's programme: games (parties) in order, each played in phases,
// each phase with its prize; and, when the organiser lists them, the grids
// sold, the only ones that can win.

enum class Phase { Quine, DoubleQuine, CartonPlein };
inline constexpr Phase AllPhases[] = {Phase::Quine, Phase::DoubleQuine, Phase::CartonPlein};

QString phaseLabel(Phase phase); // "Quine", "Double quine", "Carton plein"
QString phaseCode(Phase phase);  // as stored: "quine", "double_quine", "carton_plein"
std::optional<Phase> phaseFromCode(const QString& code);
// Full lines a grid needs to win the phase: 1, 2 or 3.
int linesNeeded(Phase phase);

struct PhasePrize
{
    Phase phase = Phase::Quine;
    QString prize; // may stay empty

    bool operator==(const PhasePrize&) const = default;
};

struct ProgrammeGame
{
    QList<PhasePrize> phases; // in the order Quine, Double quine, Carton plein

    bool operator==(const ProgrammeGame&) const = default;
};

struct Programme
{
    static constexpr int MaxPrizeLength = 200;
    static constexpr int MaxGames = 99;

    QList<ProgrammeGame> games;
    SoldGrids sold;

    // One game with its three phases and no prize.
    static Programme standard();
    // Why the programme cannot be kept, in French; empty when it can.
    QString fault() const;

    QByteArray toJson() const;
    // nullopt for anything that is not a sound programme.
    static std::optional<Programme> fromJson(const QByteArray& json);

    bool operator==(const Programme&) const = default;
};
