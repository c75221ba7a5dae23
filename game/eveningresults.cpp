#include "eveningresults.h"

#include "phasecheck.h"

using namespace Qt::StringLiterals;

QStringList PhaseResult::lines() const
{
    QString head = phaseLabel(phase);
    if (!prize.isEmpty())
        head += u" - "_s + prize;
    if (wins.isEmpty())
        return {head + u" : pas de gagnant"_s};
    QStringList lines;
    for (const RecordedWin& win : wins) {
        // Where it won, then when the operator validated it, if later.
        const int rank = win.completedAt > 0 ? win.completedAt : win.numberCount;
        const int number = win.completedAt > 0 ? win.completingNumber : win.lastNumber;
        QString line = head + u" : grille %1 au %2 numéro (le %3), validée"_s.arg(win.grid)
                                  .arg(ordinal(rank))
                                  .arg(number);
        if (win.numberCount != rank)
            line += u" au "_s + ordinal(win.numberCount);
        lines.append(line + u" à "_s + win.at.toString(u"hh:mm"_s));
    }
    return lines;
}

QList<PhaseResult> eveningResults(const Programme& programme, const QList<RecordedWin>& wins,
                                  const QList<int>& games)
{
    int last = int(programme.games.size());
    for (const RecordedWin& win : wins)
        last = std::max(last, win.game);
    QList<PhaseResult> results;
    for (int game = 1; game <= last; ++game) {
        if (!games.isEmpty() && !games.contains(game))
            continue;
        QList<PhaseResult> ofGame;
        for (const PhasePrize& p : programme.games.value(game - 1).phases)
            ofGame.append({game, p.phase, p.prize, {}});
        for (const RecordedWin& win : wins) {
            if (win.game != game)
                continue;
            auto it = std::find_if(ofGame.begin(), ofGame.end(),
                                   [&](const PhaseResult& r) { return r.phase == win.phase; });
            if (it == ofGame.end())
                it = ofGame.insert(ofGame.end(), {game, win.phase, win.prize, {}});
            it->wins.append(win);
        }
        results += ofGame;
    }
    return results;
}
