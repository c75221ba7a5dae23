#pragma once

#include "game/grid.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

class DrawSeries;

// The grids of tonight's file and the secret of their codes, held in memory
// while the phones are on, so a phone's card is checked without touching the
// file. It answers only for a number given with its right code.
class CardBook
{
public:
    CardBook() = default;
    CardBook(QByteArray secret, QHash<int, Grid> grids);
    // Cards cannot be followed tonight, for this reason.
    static CardBook closed(const QString& why);

    bool isOpen() const { return !m_secret.isEmpty() && !m_grids.isEmpty(); }
    const QString& whyClosed() const { return m_whyClosed; }
    // The grid, when `typedCode` is its code; the refusal, in French, else.
    std::optional<Grid> find(int number, const QString& typedCode, QString* refusal) const;

private:
    QByteArray m_secret;
    QHash<int, Grid> m_grids;
    QString m_whyClosed;
};

// What a card lacks for the phase being played, as the phone shows it.
struct CardStatus
{
    QList<int> drawn; // the card's numbers out
    QString text;     // "Il manque 2 numéros", "Plus qu'un numéro : le 47 !"...
    bool wins = false;
};
CardStatus cardStatus(int number, const Grid& grid, const DrawSeries& series);
