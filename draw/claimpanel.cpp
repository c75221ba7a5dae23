#include "claimpanel.h"

#include "game/drawseries.h"
#include "verify/resultpanel.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

ClaimPanel::ClaimPanel(DrawSeries& series, ResultPanel& panel, QList<QWidget*> lockedWhileShown,
                       QObject* parent)
    : QObject(parent), m_series(series), m_panel(panel)
{
    for (QWidget* widget : lockedWhileShown)
        m_locked.append(widget);
    connect(&m_panel, &ResultPanel::validateClicked, this, &ClaimPanel::validate);
}

void ClaimPanel::show(const Verdict& verdict)
{
    m_claim = verdict.claim ? std::optional(verdict) : std::nullopt;
    m_panel.showResult(verdict.text, verdict.cellTexts, verdict.redCells, verdict.details,
                       verdict.claim.has_value());
    // The hall sees the same grid, its winning lines marked, while the panel is up.
    m_series.showWin({verdict.text, verdict.cellTexts, verdict.redCells, {}});
    for (QWidget* widget : std::as_const(m_locked))
        if (widget)
            widget->setEnabled(false);
    m_panel.show();
    m_panel.raise();
    m_panel.closeButton()->setFocus();
}

void ClaimPanel::validate()
{
    // The operator has just read the verdict: no question, it is recorded.
    if (!m_claim || !m_series.claimablePhases().contains(*m_claim->claim))
        return;
    const RecordedWin win = m_series.validateWin(m_claim->grid, *m_claim->claim,
                                                 m_claim->completedAt, m_claim->completingNumber);
    m_claim.reset();
    m_panel.showValidated(u"Gagnant validé - "_s + win.text());
}

void ClaimPanel::close()
{
    m_claim.reset();
    for (QWidget* widget : std::as_const(m_locked))
        if (widget)
            widget->setEnabled(true);
    m_panel.hide();
    m_series.clearWin();
}
