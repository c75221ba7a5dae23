#include "numericboard.h"

#include "boardgeometry.h"
#include "drawtabs.h"
#include "game/drawstate.h"
#include "widgets/panellabel.h"

#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace {
const QColor Ink(0, 0, 255);
const QColor Faded(150, 150, 150);

void paintCell(QLabel* cell, const QColor& ink)
{
    QPalette palette = cell->palette();
    palette.setColor(QPalette::WindowText, ink);
    cell->setPalette(palette);
}
} // namespace

NumericBoard::NumericBoard(DrawTabs& tabs, QWidget* page)
{
    for (int n = 1; n <= DrawState::Numbers; ++n) {
        QLabel* cell = makePanelLabel(page, u"Resultat(%1)"_s.arg(n - 1),
                                      BoardGeometry::numericColumnColour(n), Ink, true);
        cell->setText(QString::number(n));
        tabs.placeOnPage(cell, BoardGeometry::numericCell(n), 15);
        cell->hide();
        cell->installEventFilter(this);
        m_cells.append(cell);
    }
    QLabel* dernier = makePanelLabel(page, u"Dernier"_s, page->palette().color(QPalette::Window),
                                     page->palette().color(QPalette::WindowText), false, false);
    dernier->setAutoFillBackground(false);
    dernier->setText(u"Dernier"_s);
    dernier->setAccessibleName(u"Derniers numéros tirés, du plus récent au plus ancien"_s);
    tabs.placeOnPage(dernier, BoardGeometry::dernierLabel(), 8.25);
    for (int k = 0; k < 5; ++k) {
        QLabel* box =
            makePanelLabel(page, u"Suivi(%1)"_s.arg(k), Qt::white, QColor(192, 0, 0), true);
        tabs.placeOnPage(box, BoardGeometry::suiviBox(k), 27.75);
        m_boxes.append(box);
    }
}

void NumericBoard::setShowAll(bool all)
{
    m_showAll = all;
}

void NumericBoard::refresh(const DrawState& state)
{
    for (int n = 1; n <= DrawState::Numbers; ++n) {
        QLabel* cell = m_cells[n - 1];
        const bool out = state.isDrawn(n);
        cell->setVisible(out || m_showAll);
        paintCell(cell, out ? Ink : Faded);
        cell->setAccessibleName(QString::number(n) + (out ? u" tiré"_s : u" pas encore tiré"_s));
        cell->setCursor(m_showAll && !out ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    for (int k = 0; k < 5; ++k) {
        const QString text = state.lastFive()[static_cast<std::size_t>(k)];
        m_boxes[k]->setText(text);
        m_boxes[k]->setAccessibleName(
            (k == 0 ? u"Dernier numéro"_s : u"Numéro tiré avant, rang %1"_s.arg(k + 1)) + u" : "_s +
            (text.isEmpty() ? u"aucun"_s : text));
    }
}

bool NumericBoard::eventFilter(QObject* watched, QEvent* event)
{
    if (m_showAll && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const int n = int(m_cells.indexOf(static_cast<QLabel*>(watched))) + 1;
        if (n >= 1)
            emit numberClicked(n);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
