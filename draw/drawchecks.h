#pragma once

#include "game/phasecheck.h"
#include "game/programme.h"
#include "platform/messagebox.h"
#include "verify/gridverifier.h"

#include <optional>

class DrawSeries;
class QWidget;
struct Services;

// The checks of a claim during the draw: refused once the series' grids are
// no longer the players', recorded when they reach a verdict, and said at
// once unless a winning grid is to be shown.

// A winning grid to show, with what it means for the evening.
struct DrawVerdict
{
    VerificationOutcome outcome;
    int grid = 0;
    QString details;            // when and how it won
    std::optional<Phase> claim; // the phase it can be validated for
    int completedAt = 0;        // where it reached that phase
    int completingNumber = 0;
    MsgIcon icon = MsgIcon::Critical; // of the message, when there is no panel
};

class DrawChecks
{
public:
    DrawChecks(Services& services, DrawSeries& series, QWidget* parent);

    // The winner to show, if the check found one.
    std::optional<DrawVerdict> run(GridVerifier::Kind kind, const QString& title);

private:
    bool refused();
    // What the verdict means for the phase being played: the claim a winner
    // can make, or what a grid lacks, added under the verdict.
    DrawVerdict judge(VerificationOutcome outcome, bool whole) const;
    // The grid against the first phase it may claim, filling in the claim;
    // else against the phase played.
    PhaseCheck measure(const Grid& grid, bool whole, DrawVerdict& verdict,
                       bool& validatedBefore) const;
    bool fullCardPlayed() const;

    Services& m_services;
    DrawSeries& m_series;
    QWidget* m_parent;
};
