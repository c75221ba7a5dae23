#include "claimjudge.h"

#include "drawseries.h"
#include "phasecheck.h"
#include "wincheck.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// The phases each check serves: the line check the quine and the double
// quine, the grid check the full card.
bool checkServes(bool whole, Phase phase)
{
    return whole == (phase == Phase::CartonPlein);
}

QString phaseNames(const QList<Phase>& phases)
{
    QStringList labels;
    for (Phase phase : phases)
        labels.append(phaseLabel(phase).toLower());
    return labels.join(u", "_s);
}

bool fullCardPlayed(const DrawSeries& series)
{
    const Evening& evening = series.evening();
    return evening.phase() == Phase::CartonPlein && !evening.isOver();
}

// The grid against the first phase it may claim, filling in the claim;
// else against the phase played.
PhaseCheck measure(const DrawSeries& series, const Grid& grid, bool whole, Verdict& verdict,
                   bool& validatedBefore)
{
    const QList<int>& sequence = series.state().sequence();
    for (Phase phase : series.claimablePhases()) {
        if (!checkServes(whole, phase))
            continue;
        const PhaseCheck candidate = checkPhase(grid, sequence, phase);
        if (!candidate.wins)
            continue;
        if (series.isValidated(verdict.grid, phase)) {
            validatedBefore = true;
            continue;
        }
        verdict.claim = phase;
        verdict.completedAt = candidate.completedAt;
        verdict.completingNumber = candidate.completingNumber;
        return candidate;
    }
    // Nothing to claim: measured against the phase played, one line until
    // the double quine asks for two, the whole grid in the full card.
    const Phase played = series.evening().phase();
    const Phase phase = whole || fullCardPlayed(series) ? Phase::CartonPlein
                        : played == Phase::DoubleQuine  ? Phase::DoubleQuine
                                                        : Phase::Quine;
    return checkPhase(grid, sequence, phase);
}
} // namespace

Verdict ClaimJudge::read(const ClaimedGrid& claimed, const DrawState& state)
{
    Verdict verdict;
    verdict.isVerdict = true;
    verdict.entry = claimed.entry;
    verdict.grid = claimed.entry.toInt();
    verdict.code = claimed.code;
    verdict.cellTexts = claimed.cellTexts;
    if (claimed.kind == ClaimKind::WholeGrid) {
        const int count = WinCheck::countDrawn(claimed.gridNumbers, state);
        verdict.matches = count;
        verdict.kind = count < 15 ? Verdict::Kind::Message : Verdict::Kind::Winner;
        verdict.text = count < 15 ? WinCheck::wholeGridLoser(claimed.entry, count)
                                  : WinCheck::wholeGridWinner(claimed.entry);
        return verdict;
    }
    int counts[3];
    for (std::size_t r = 0; r < 3; ++r)
        counts[r] = WinCheck::countDrawn(claimed.lineNumbers[r], state);
    const WinCheck::LineVerdict lines =
        WinCheck::decideLines(counts[0], counts[1], counts[2], claimed.entry);
    verdict.matches = *std::max_element(std::begin(counts), std::end(counts));
    verdict.kind = lines.winner ? Verdict::Kind::Winner : Verdict::Kind::Message;
    verdict.text = lines.text;
    if (lines.winner) {
        verdict.redCells = lines.redCells;
        verdict.note = lines.note;
    }
    return verdict;
}

Verdict ClaimJudge::judge(const ClaimedGrid& claimed, const DrawSeries& series)
{
    Verdict verdict = read(claimed, series.state());
    const bool whole = claimed.kind == ClaimKind::WholeGrid;
    bool validatedBefore = false; // it wins a phase it was validated for already
    const PhaseCheck check = measure(series, claimed.grid, whole, verdict, validatedBefore);
    const bool sold = series.evening().programme().sold.contains(verdict.grid);
    const bool ruledOut = !sold || (!verdict.claim && !check.wins);
    const QList<Phase> won = series.validatedPhases(verdict.grid);
    // Lines that read as a win the programme does not grant: the first line
    // says what the grid is worth tonight, what it holds follows.
    const bool shownAsWinner = verdict.kind == Verdict::Kind::Winner;
    const bool ruled = shownAsWinner && ruledOut;
    const bool byValidation = ruled && sold && validatedBefore;
    const QString shortOf =
        ruled && sold && !validatedBefore ? check.shortOfPhase(claimed.entry) : QString();
    const QString name = u"La grille numéro "_s + claimed.entry;
    const QString ruling =
        ruled && !sold ? name + u" n'a pas été vendue : elle ne peut pas gagner."_s
        : byValidation
            ? name + u" a déjà été validée dans cette partie : "_s + phaseNames(won) + u"."_s
            : shortOf;
    QStringList details{shortOf.isEmpty() ? check.explanation() : check.missingText()};
    if (!whole && !verdict.claim && fullCardPlayed(series) && shortOf.isEmpty())
        details.append(
            u"En carton plein, c'est la grille entière qui gagne : vérifiez la grille (G)."_s);
    if (!verdict.claim && !won.isEmpty() && !byValidation)
        details.append(u"Déjà validée dans cette partie : "_s + phaseNames(won) + u"."_s);
    // Not sold: nobody holds it, it cannot be the winner.
    if (!sold && ruling.isEmpty())
        details.append(u"Cette grille n'a pas été vendue : elle ne peut pas gagner."_s);
    // Compared with the card in hand: a card whose code differs was not printed here.
    if (!verdict.code.isEmpty())
        details.prepend(u"Code de contrôle : "_s + verdict.code);
    if (!verdict.note.isEmpty())
        details.prepend(verdict.note);
    if (ruledOut) {
        const QString held = verdict.text;
        verdict.kind = Verdict::Kind::Message;
        verdict.redCells.clear();
        verdict.claim.reset();
        verdict.text = ruling.isEmpty() ? held + u"\n\n"_s + details.join(u'\n')
                                        : ruling + u"\n\n"_s + held + u'\n' + details.join(u'\n');
        // Today's verdict called it a winner: what it is worth tonight comes first.
        if (shownAsWinner)
            verdict.icon = MsgIcon::Exclamation;
    } else if (verdict.kind == Verdict::Kind::Message) {
        verdict.text += u"\n\n"_s + details.join(u'\n');
    } else {
        verdict.details = details.join(u'\n');
    }
    return verdict;
}
