#pragma once

#include "programme.h"

// Where the evening stands in its programme: the game being played and its
// phase. It only moves forward, phase after phase, game after game.
struct EveningPosition
{
    int game = 0;  // index in the programme's games
    int phase = 0; // index in that game's phases

    bool operator==(const EveningPosition&) const = default;
};

class Evening
{
public:
    Evening() : m_programme(Programme::standard()) {}
    explicit Evening(Programme programme) : m_programme(std::move(programme)) {}

    const Programme& programme() const { return m_programme; }
    EveningPosition position() const { return m_position; }
    void setPosition(EveningPosition position);

    bool isOver() const { return m_position.game >= int(m_programme.games.size()); }
    Phase phase() const;
    QString prize() const;
    // "Partie 2 - Double quine - Un panier garni", without the prize when it
    // has none; "Programme terminé" once every game is played.
    QString line() const;

    // The phase just won moves on; true when that ended the game.
    bool advancePhase();
    // The next game, after "Partie n terminée".
    void nextGame();
    // Back to a game of a recorded evening (0-based), at its first phase not
    // yet won; "terminée" when all are.
    void restore(int game, const QList<Phase>& won);
    bool gameFinished() const;

private:
    Programme m_programme;
    EveningPosition m_position;
    bool m_gameFinished = false;
};
