#include "evening.h"

using namespace Qt::StringLiterals;

void Evening::setPosition(EveningPosition position)
{
    // A position from elsewhere (a record, an older programme) is brought
    // back inside the programme rather than trusted.
    const int games = int(m_programme.games.size());
    position.game = std::clamp(position.game, 0, games);
    const int phases =
        position.game < games ? int(m_programme.games[position.game].phases.size()) : 0;
    position.phase = std::clamp(position.phase, 0, std::max(0, phases - 1));
    m_position = position;
    m_gameFinished = false;
}

Phase Evening::phase() const
{
    if (isOver())
        return Phase::CartonPlein;
    return m_programme.games[m_position.game].phases[m_position.phase].phase;
}

QString Evening::prize() const
{
    if (isOver())
        return {};
    return m_programme.games[m_position.game].phases[m_position.phase].prize;
}

QString Evening::line() const
{
    if (isOver())
        return u"Programme terminé"_s;
    QString text = u"Partie %1 - "_s.arg(m_position.game + 1) + phaseLabel(phase());
    if (m_gameFinished)
        return u"Partie %1 terminée"_s.arg(m_position.game + 1);
    if (!prize().isEmpty())
        text += u" - "_s + prize();
    return text;
}

bool Evening::advancePhase()
{
    if (isOver() || m_gameFinished)
        return m_gameFinished;
    const int phases = int(m_programme.games[m_position.game].phases.size());
    if (m_position.phase + 1 < phases)
        ++m_position.phase;
    else
        m_gameFinished = true;
    return m_gameFinished;
}

bool Evening::gameFinished() const
{
    return m_gameFinished;
}

void Evening::nextGame()
{
    if (isOver())
        return;
    ++m_position.game;
    m_position.phase = 0;
    m_gameFinished = false;
}

void Evening::restore(int game, const QList<Phase>& won)
{
    setPosition({game, 0});
    if (isOver())
        return;
    const QList<PhasePrize>& phases = m_programme.games[m_position.game].phases;
    while (m_position.phase < int(phases.size()) && won.contains(phases[m_position.phase].phase))
        ++m_position.phase;
    if (m_position.phase == int(phases.size())) {
        m_position.phase = int(phases.size()) - 1;
        m_gameFinished = true;
    }
}
