#pragma once

#include <QList>
#include <QObject>

class DrawState;
class DrawTabs;
class QLabel;
class QWidget;

// The numeric board (one cell per number, shown once drawn) and the
// five last-number boxes under it. For the ball machine it shows all 90
// numbers, those out lit, and a click on one not out draws it.
class NumericBoard : public QObject
{
    Q_OBJECT

public:
    NumericBoard(DrawTabs& tabs, QWidget* page);
    void refresh(const DrawState& state);
    void setShowAll(bool all);
    QLabel* cell(int n) const { return m_cells[n - 1]; }

signals:
    void numberClicked(int n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLabel*> m_cells; // Resultat(0..89)
    QList<QLabel*> m_boxes; // Suivi(0..4)
    bool m_showAll = false;
};
