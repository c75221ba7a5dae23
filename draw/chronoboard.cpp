#include "chronoboard.h"

#include "boardgeometry.h"
#include "drawtabs.h"
#include "game/drawstate.h"
#include "widgets/panellabel.h"

using namespace Qt::StringLiterals;

ChronoBoard::ChronoBoard(DrawTabs& tabs, QWidget* page)
{
    for (int k = 1; k <= DrawState::Numbers; ++k) {
        QLabel* ordinal = makePanelLabel(page, u"Ordre(%1)"_s.arg(k), QColor(),
                                         page->palette().color(QPalette::WindowText), false, false);
        ordinal->setAutoFillBackground(false);
        ordinal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ordinal->setText(QString::number(k));
        tabs.placeOnPage(ordinal, BoardGeometry::ordreLabel(k), 8.25);
        ordinal->hide();
        m_ordinals.append(ordinal);

        QLabel* cell = makePanelLabel(page, u"Chrono(%1)"_s.arg(k), QColor(192, 255, 255),
                                      QColor(0, 0, 255), true);
        tabs.placeOnPage(cell, BoardGeometry::chronoCell(k), 15);
        cell->hide();
        m_cells.append(cell);
    }
}

void ChronoBoard::refresh(const DrawState& state)
{
    const QList<int>& sequence = state.sequence();
    for (int k = 1; k <= DrawState::Numbers; ++k) {
        const bool shown = k <= sequence.size();
        QLabel* cell = m_cells[k - 1];
        if (shown && cell->isHidden()) {
            cell->setText(QString::number(sequence[k - 1]));
            cell->setAccessibleName((k == 1 ? u"1er"_s : QString::number(k) + u"e"_s) +
                                    u" numéro tiré : "_s + cell->text());
            cell->raise();
        }
        cell->setVisible(shown);
        m_ordinals[k - 1]->setVisible(shown);
    }
}
