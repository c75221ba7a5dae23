#pragma once

#include "game/grid.h"

#include <QByteArray>
#include <QString>

// The control code printed on every card ("K7P2Q"): a keyed hash of the
// grid's number and cells under the grid file's own secret, so a card made
// by hand or altered after printing does not carry the code the program
// computes for that grid.
namespace CardCode {

constexpr int Length = 5;
constexpr int SecretBytes = 32;

// Digits and capitals without the look-alikes 0/O and 1/I/L.
QString alphabet();

// A new secret from the system's random source.
QByteArray newSecret();

// The code of grid number under the secret: HMAC-SHA256 of
// "00042:c1,c2,...,c27" (cells row by row, 0 for an empty cell); the MAC's
// first 8 bytes, big-endian, give the characters by repeated division by the
// alphabet's size, least significant first.
QString of(const QByteArray& secret, int number, const Grid& grid);

// What a player or the operator typed, in the code's form: upper case,
// spaces and dashes left out. Empty when it cannot be a code.
QString normalised(const QString& typed);

} // namespace CardCode
