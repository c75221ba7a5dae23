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
} // namespace

DrawVerdict DrawChecks::judge(VerificationOutcome outcome, bool whole) const
{
    DrawVerdict verdict;
    verdict.grid = outcome.entry.toInt();
    // The grid as read for the verdict: its cells, row by row.
    Grid grid;
    for (std::size_t i = 0; i < grid.cells.size(); ++i)
        grid.cells[i] = outcome.cellTexts[i].toInt();
    const QList<int>& sequence = m_series.state().sequence();
    std::optional<PhaseCheck> check;
    for (Phase phase : m_series.claimablePhases()) {
        if (!serves(whole, phase))
            continue;
        const PhaseCheck candidate = checkPhase(grid, sequence, phase);
        if (candidate.wins && !m_series.isValidated(verdict.grid, phase)) {
            verdict.claim = phase;
            verdict.completedAt = candidate.completedAt;
            verdict.completingNumber = candidate.completingNumber;
            check = candidate;
            break;
        }
    }
    const Evening& evening = m_series.evening();
    const bool fullCardPlayed = evening.phase() == Phase::CartonPlein && !evening.isOver();
    if (!check) {
        // Nothing to claim: measured against the phase played, one line
        // until the double quine asks for two, the whole grid in the full card.
        const Phase played = evening.phase();
        const Phase phase = whole || fullCardPlayed        ? Phase::CartonPlein
                            : played == Phase::DoubleQuine ? Phase::DoubleQuine
                                                           : Phase::Quine;
        check = checkPhase(grid, sequence, phase);
    }
    const bool shownAsWinner = outcome.kind == VerificationOutcome::Kind::Winner;
    const auto notAWin = [&] {
        outcome.kind = VerificationOutcome::Kind::Message;
        outcome.redCells.clear();
        verdict.claim.reset();
    };
    QString details = check->explanation();
    if (!verdict.claim && !check->wins)
        notAWin(); // one line while two are needed, or lines in the full card
    if (!whole && !verdict.claim && fullCardPlayed)
        details +=
            u"\nEn carton plein, c'est la grille entière qui gagne : vérifiez la grille (G)."_s;
    if (const QList<Phase> won = m_series.validatedPhases(verdict.grid);
        !verdict.claim && !won.isEmpty()) {
        QStringList labels;
        for (Phase phase : won)
            labels.append(phaseLabel(phase).toLower());
        details += u"\nDéjà validée dans cette partie : "_s + labels.join(u", "_s) + u"."_s;
    }
    if (!evening.programme().sold.contains(verdict.grid)) {
        // Not sold: nobody holds it, it cannot be the winner.
        details += u"\nCette grille n'a pas été vendue : elle ne peut pas gagner."_s;
        notAWin();
    }
    if (outcome.kind == VerificationOutcome::Kind::Message) {
        outcome.text += u"\n\n"_s + details;
        // Today's verdict called it a winner: what follows says why it is not.
        if (shownAsWinner)
            verdict.icon = MsgIcon::Exclamation;
    } else {
        verdict.details = details;
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
