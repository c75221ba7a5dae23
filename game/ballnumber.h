#pragma once

#include <QString>

#include <optional>

// A number typed from the ball machine: a whole number from 1 to 90, with
// nothing else but spaces around it. Anything else is no number at all.
std::optional<int> parseBallNumber(const QString& typed);

// What the operator is told when a typed number cannot be drawn.
QString ballNumberRefusal(); // not a number from 1 to 90
QString ballNumberAlreadyOut(int number);
