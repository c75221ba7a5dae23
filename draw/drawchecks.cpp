#include "drawchecks.h"

#include "game/drawseries.h"
#include "game/phasecheck.h"
#include "platform/param.h"
#include "platform/services.h"

using namespace Qt::StringLiterals;

DrawChecks::DrawChecks(Services& services, DrawSeries& series, QWidget* parent)
    : m_services(services), m_series(series), m_parent(parent)
{}

namespace {
// The phases each check serves: the line check the quine and the double
// quine, the grid check the full card.
bool serves(bool whole, Phase phase)
{
    return whole == (phase == Phase::CartonPlein);
}

// The grid as read for the verdict: its cells, row by row.
Grid gridOf(const VerificationOutcome& outcome)
{
    Grid grid;
    for (std::size_t i = 0; i < grid.cells.size(); ++i)
        grid.cells[i] = outcome.cellTexts[i].toInt();
    return grid;
}

QString phaseList(const QList<Phase>& phases)
{
    QStringList labels;
    for (Phase phase : phases)
        labels.append(phaseLabel(phase).toLower());
    return labels.join(u", "_s);
}
} // namespace

PhaseCheck DrawChecks::measure(const Grid& grid, bool whole, DrawVerdict& verdict,
                               bool& validatedBefore) const
{
    const QList<int>& sequence = m_series.state().sequence();
    for (Phase phase : m_series.claimablePhases()) {
        if (!serves(whole, phase))
            continue;
        const PhaseCheck candidate = checkPhase(grid, sequence, phase);
        if (!candidate.wins)
            continue;
        if (m_series.isValidated(verdict.grid, phase)) {
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
    const Evening& evening = m_series.evening();
    const Phase played = evening.phase();
    const Phase phase = whole || fullCardPlayed()      ? Phase::CartonPlein
                        : played == Phase::DoubleQuine ? Phase::DoubleQuine
                                                       : Phase::Quine;
    return checkPhase(grid, sequence, phase);
}

bool DrawChecks::fullCardPlayed() const
{
    const Evening& evening = m_series.evening();
    return evening.phase() == Phase::CartonPlein && !evening.isOver();
}

DrawVerdict DrawChecks::judge(VerificationOutcome outcome, bool whole) const
{
    DrawVerdict verdict;
    verdict.grid = outcome.entry.toInt();
    bool validatedBefore = false; // it wins a phase it was validated for already
    const PhaseCheck check = measure(gridOf(outcome), whole, verdict, validatedBefore);
    const bool sold = m_series.evening().programme().sold.contains(verdict.grid);
    const bool ruledOut = !sold || (!verdict.claim && !check.wins);
    const QList<Phase> won = m_series.validatedPhases(verdict.grid);
    // Lines that read as a win the programme does not grant: the first line
    // says what the grid is worth tonight, what it holds follows.
    const bool shownAsWinner = outcome.kind == VerificationOutcome::Kind::Winner;
    const bool ruled = shownAsWinner && ruledOut;
    const bool byValidation = ruled && sold && validatedBefore;
    const QString shortOf =
        ruled && sold && !validatedBefore ? check.shortOfPhase(outcome.entry) : QString();
    const QString name = u"La grille numéro "_s + outcome.entry;
    const QString ruling =
        ruled && !sold ? name + u" n'a pas été vendue : elle ne peut pas gagner."_s
        : byValidation
            ? name + u" a déjà été validée dans cette partie : "_s + phaseList(won) + u"."_s
            : shortOf;
    QStringList details{shortOf.isEmpty() ? check.explanation() : check.missingText()};
    if (!whole && !verdict.claim && fullCardPlayed() && shortOf.isEmpty())
        details.append(
            u"En carton plein, c'est la grille entière qui gagne : vérifiez la grille (G)."_s);
    if (!verdict.claim && !won.isEmpty() && !byValidation)
        details.append(u"Déjà validée dans cette partie : "_s + phaseList(won) + u"."_s);
    // Not sold: nobody holds it, it cannot be the winner.
    if (!sold && ruling.isEmpty())
        details.append(u"Cette grille n'a pas été vendue : elle ne peut pas gagner."_s);
    // Compared with the card in hand: a card whose code differs was not printed here.
    if (!outcome.code.isEmpty())
        details.prepend(u"Code de contrôle : "_s + outcome.code);
    if (!outcome.note.isEmpty())
        details.prepend(outcome.note);
    if (ruledOut) {
        const QString held = outcome.text;
        outcome.kind = VerificationOutcome::Kind::Message;
        outcome.redCells.clear();
        verdict.claim.reset();
        outcome.text = ruling.isEmpty() ? held + u"\n\n"_s + details.join(u'\n')
                                        : ruling + u"\n\n"_s + held + u'\n' + details.join(u'\n');
        // Today's verdict called it a winner: what it is worth tonight comes first.
        if (shownAsWinner)
            verdict.icon = MsgIcon::Exclamation;
    } else if (outcome.kind == VerificationOutcome::Kind::Message) {
        outcome.text += u"\n\n"_s + details.join(u'\n');
    } else {
        verdict.details = details.join(u'\n');
    }
    verdict.outcome = outcome;
    return verdict;
}

bool DrawChecks::refused()
{
    if (m_series.checksAllowed())
        return false;
    m_services.message(m_parent, MsgIcon::Critical,
                       u"Les grilles de ce tirage ne peuvent plus être vérifiées :\nle fichier "
                       "de grilles a disparu ou a été refait depuis le début du tirage."_s);
    return true;
}

std::optional<DrawVerdict> DrawChecks::run(GridVerifier::Kind kind, const QString& title)
{
    if (refused())
        return std::nullopt;
    GridVerifier verifier(m_services, m_parent, Param::AppPath());
    verifier.requireFingerprint(m_series.file().fingerprint);
    const bool whole = kind == GridVerifier::Kind::WholeGrid;
    VerificationOutcome read = whole ? verifier.ProcVerifGrille(title, m_series.state())
                                     : verifier.ProcVerifLigne(title, m_series.state());
    DrawVerdict verdict;
    if (read.isVerdict)
        verdict = judge(read, whole);
    else
        verdict.outcome = read;
    const VerificationOutcome& outcome = verdict.outcome;
    if (outcome.isVerdict)
        m_series.recordCheck(whole ? RecordedEvent::Kind::GridCheck
                                   : RecordedEvent::Kind::LineCheck,
                             outcome.entry, outcome.text, outcome.matches);
    switch (outcome.kind) {
    case VerificationOutcome::Kind::Stopped:
        return std::nullopt;
    case VerificationOutcome::Kind::Message:
        m_services.message(m_parent, verdict.icon, outcome.text);
        return std::nullopt;
    case VerificationOutcome::Kind::Winner:
        break;
    }
    return verdict;
}
