#pragma once

#include <QList>

class DrawState;
class DrawTabs;
class QLabel;
class QWidget;

// The numeric board (one cell per number, shown once drawn) and the
// five last-number boxes under it.
class NumericBoard
{
public:
    NumericBoard(DrawTabs& tabs, QWidget* page);
    void refresh(const DrawState& state);

private:
    QList<QLabel*> m_cells; // Resultat(0..89)
    QList<QLabel*> m_boxes; // Suivi(0..4)
};
