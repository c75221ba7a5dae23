#pragma once

#include <QList>

class DrawState;
class DrawTabs;
class QLabel;
class QWidget;

// The chronological board: the numbers of the series in draw order, six
// columns of fifteen, each cell with its ordinal beside it.
class ChronoBoard
{
public:
    ChronoBoard(DrawTabs& tabs, QWidget* page);
    void refresh(const DrawState& state);

private:
    QList<QLabel*> m_cells;    // Chrono(1..90)
    QList<QLabel*> m_ordinals; // Ordre(1..90)
};
