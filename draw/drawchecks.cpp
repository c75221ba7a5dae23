#include "drawchecks.h"

#include "game/drawseries.h"
#include "platform/param.h"
#include "platform/services.h"

using namespace Qt::StringLiterals;

DrawChecks::DrawChecks(Services& services, DrawSeries& series, QWidget* parent)
    : m_services(services), m_series(series), m_parent(parent)
{}

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
    const VerificationOutcome outcome = whole ? verifier.ProcVerifGrille(title, m_series.state())
                                              : verifier.ProcVerifLigne(title, m_series.state());
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
