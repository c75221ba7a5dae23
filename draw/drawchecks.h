#pragma once

#include "game/verdict.h"

#include <optional>

class DrawSeries;
class QWidget;
struct Services;

// The checks of a claim during the draw: refused once the series' grids are
// no longer the players', judged and recorded by the series, and said at
// once unless a winning grid is to be shown.
class DrawChecks
{
public:
    DrawChecks(Services& services, DrawSeries& series, QWidget* parent);

    // The winner to show, if the check found one.
    std::optional<Verdict> run(ClaimKind kind);

private:
    bool refused();

    Services& m_services;
    DrawSeries& m_series;
    QWidget* m_parent;
};
