#pragma once

#include "game/verdict.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <optional>

class DrawSeries;
class ResultPanel;
class QWidget;

// A winning grid on the result panel and on the hall, while the operator
// reads it and may validate it; the controls behind it wait meanwhile.
class ClaimPanel : public QObject
{
    Q_OBJECT

public:
    ClaimPanel(DrawSeries& series, ResultPanel& panel, QList<QWidget*> lockedWhileShown,
               QObject* parent);

    void show(const Verdict& verdict);
    // Records the winner shown, for the phase it claims.
    void validate();
    void close();

private:
    DrawSeries& m_series;
    ResultPanel& m_panel;
    QList<QPointer<QWidget>> m_locked;
    // The winner on the panel, while it can be validated.
    std::optional<Verdict> m_claim;
};
