#include "drawchecks.h"

#include "game/drawseries.h"
#include "game/phasecheck.h"
#include "platform/param.h"
#include "platform/services.h"

using namespace Qt::StringLiterals;

DrawChecks::DrawChecks(Services& services, DrawSeries& series, QWidget* parent)
    : m_services(services), m_series(series), m_parent(parent)
{}

void DrawChecks::explainForPhase(VerificationOutcome& outcome, bool whole) const
{
    // The grid as read for the verdict: its cells, row by row.
    Grid grid;
    for (std::size_t i = 0; i < grid.cells.size(); ++i)
        grid.cells[i] = outcome.cellTexts[i].toInt();
    // The grid check serves the full card; the line check the phase played,
    // one line until the double quine asks for two.
    const Phase played = m_series.evening().phase();
    const Phase phase = whole ? Phase::CartonPlein
                              : (played == Phase::DoubleQuine ? Phase::DoubleQuine : Phase::Quine);
    const PhaseCheck check = checkPhase(grid, m_series.state().sequence(), phase);
    if (outcome.kind == VerificationOutcome::Kind::Winner && !check.wins) {
        // One line while two are needed: said, not shown as a win.
        outcome.kind = VerificationOutcome::Kind::Message;
        outcome.redCells.clear();
    }
    if (outcome.kind == VerificationOutcome::Kind::Message)
        outcome.text += u"\n\n"_s + check.explanation();
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

std::optional<VerificationOutcome> DrawChecks::run(GridVerifier::Kind kind, const QString& title)
{
    if (refused())
        return std::nullopt;
    GridVerifier verifier(m_services, m_parent, Param::AppPath());
    const bool whole = kind == GridVerifier::Kind::WholeGrid;
    VerificationOutcome outcome = whole ? verifier.ProcVerifGrille(title, m_series.state())
                                        : verifier.ProcVerifLigne(title, m_series.state());
    if (outcome.isVerdict)
        explainForPhase(outcome, whole);
    if (outcome.isVerdict)
        m_series.recordCheck(whole ? RecordedEvent::Kind::GridCheck
                                   : RecordedEvent::Kind::LineCheck,
                             outcome.entry, outcome.text, outcome.matches);
    switch (outcome.kind) {
    case VerificationOutcome::Kind::Stopped:
        return std::nullopt;
    case VerificationOutcome::Kind::Message:
        m_services.message(m_parent, MsgIcon::Critical, outcome.text);
        return std::nullopt;
    case VerificationOutcome::Kind::Winner:
        break;
    }
    return outcome;
}
