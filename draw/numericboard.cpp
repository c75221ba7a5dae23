#include "numericboard.h"

#include "boardgeometry.h"
#include "drawtabs.h"
#include "game/drawstate.h"
#include "platform/panellabel.h"

using namespace Qt::StringLiterals;

NumericBoard::NumericBoard(DrawTabs& tabs, QWidget* page)
{
    for (int n = 1; n <= DrawState::Numbers; ++n) {
        QLabel* cell =
            makePanelLabel(page, u"Resultat(%1)"_s.arg(n - 1),
                           BoardGeometry::numericColumnColour(n), QColor(0, 0, 255), true);
        cell->setText(QString::number(n));
        tabs.placeOnPage(cell, BoardGeometry::numericCell(n), 15);
        cell->hide();
        m_cells.append(cell);
    }
    QLabel* dernier = makePanelLabel(page, u"Dernier"_s, page->palette().color(QPalette::Window),
                                     page->palette().color(QPalette::WindowText), false, false);
    dernier->setAutoFillBackground(false);
    dernier->setText(u"Dernier"_s);
    tabs.placeOnPage(dernier, BoardGeometry::dernierLabel(), 8.25);
    for (int k = 0; k < 5; ++k) {
        QLabel* box =
            makePanelLabel(page, u"Suivi(%1)"_s.arg(k), Qt::white, QColor(192, 0, 0), true);
        tabs.placeOnPage(box, BoardGeometry::suiviBox(k), 27.75);
        m_boxes.append(box);
    }
}

void NumericBoard::refresh(const DrawState& state)
{
    for (int n = 1; n <= DrawState::Numbers; ++n)
        m_cells[n - 1]->setVisible(state.isDrawn(n));
    for (int k = 0; k < 5; ++k)
        m_boxes[k]->setText(state.lastFive()[static_cast<std::size_t>(k)]);
}
