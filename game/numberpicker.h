#pragma once

class Clock;
class DrawState;
class RandomSource;

// Picks a number from 1 to 90 not drawn yet in the series, stirring the
// random source with the clock before every try. The series must not be complete.
int pickNumber(const DrawState& state, RandomSource& random, const Clock& clock);
