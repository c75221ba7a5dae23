#include "drawchecks.h"

#include "game/drawseries.h"
#include "platform/param.h"
#include "platform/services.h"
#include "verify/gridverifier.h"

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

std::optional<Verdict> DrawChecks::run(ClaimKind kind)
{
    if (refused())
        return std::nullopt;
    GridVerifier verifier(m_services, m_parent, Param::AppPath());
    verifier.requireFingerprint(m_series.file().fingerprint);
    Verdict verdict;
    if (const std::optional<ClaimedGrid> claimed =
            verifier.readClaim(kind, m_series.file().title, verdict))
        verdict = m_series.check(*claimed);
    switch (verdict.kind) {
    case Verdict::Kind::Stopped:
        return std::nullopt;
    case Verdict::Kind::Message:
        m_services.message(m_parent, verdict.icon, verdict.text);
        return std::nullopt;
    case Verdict::Kind::Winner:
        break;
    }
    return verdict;
}
