#pragma once

#include "evening/organiser.h"
#include "game/seriesrecord.h"

#include <QList>
#include <QString>

class QPagedPaintDevice;

// The evening on one page, for the organiser's files and the prize table:
// the grid file, when it was played, and per game and phase of the
// programme its prize and its winners.
class EveningSummary
{
public:
    // series: those of one evening, in the order they were played.
    explicit EveningSummary(const QList<RecordedSeries>& series);

    struct Line
    {
        bool heading = false;
        QString text;
    };
    const QList<Line>& lines() const { return m_lines; }

    // A4 portrait; the text is made smaller, if need be, to hold on one page.
    void render(QPagedPaintDevice& device) const;

    // "Résumé de la soirée du 24-12-2026"
    QString fileStem() const;

private:
    QList<Line> m_lines;
    Organiser m_organiser; // on the page, when set
    QDateTime m_started;
};
