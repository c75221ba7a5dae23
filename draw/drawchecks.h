#pragma once

#include "verify/gridverifier.h"

#include <optional>

class DrawSeries;
class QWidget;
struct Services;

// The checks of a claim during the draw: refused once the series' grids are
// no longer the players', recorded when they reach a verdict, and said at
// once unless a winning grid is to be shown.
class DrawChecks
{
public:
    DrawChecks(Services& services, DrawSeries& series, QWidget* parent);

    // The winner to show, if the check found one.
    std::optional<VerificationOutcome> run(GridVerifier::Kind kind, const QString& title);

private:
    bool refused();
    // What the verdict means for the phase being played, added under it.
    void explainForPhase(VerificationOutcome& outcome, bool whole) const;

    Services& m_services;
    DrawSeries& m_series;
    QWidget* m_parent;
};
