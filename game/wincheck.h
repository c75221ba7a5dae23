#pragma once

#include <QList>
#include <QString>

#include <span>

class DrawState;

// Counting a grid's numbers against the draw and wording the outcome.
namespace WinCheck {

// How many of the numbers have been drawn; anything outside 1..90 counts for nothing.
int countDrawn(std::span<const int> numbers, const DrawState& state);

QString wholeGridWinner(const QString& entry);
// The message for a grid that is not complete (count 0 to 14).
QString wholeGridLoser(const QString& entry, int count);

struct LineVerdict
{
    bool winner = false;
    QString text;        // the panel's title, or the message for no line
    QList<int> redCells; // CaseGrille indexes 1..27, of every complete row
    QString note;        // under the title: the complete row it does not name
};
// The first of the seven decisions that holds for the three row counts.
LineVerdict decideLines(int c1, int c2, int c3, const QString& entry);

} // namespace WinCheck
