#pragma once

#include "verdict.h"

class DrawSeries;
class DrawState;

// The one place a claim is judged. First what the grid holds against the
// numbers out, in the words the operator has always read; then, for a
// series, what it is worth tonight: sold or not, the phase it may claim,
// validated already, or what it lacks.
namespace ClaimJudge {

Verdict read(const ClaimedGrid& claimed, const DrawState& state);
Verdict judge(const ClaimedGrid& claimed, const DrawSeries& series);

} // namespace ClaimJudge
