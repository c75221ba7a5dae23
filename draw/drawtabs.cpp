#include "drawtabs.h"

#include "widgets/twiplayout.h"

#include <QFrame>
#include <QTabBar>

using namespace Qt::StringLiterals;

DrawTabs::DrawTabs(QWidget* parent, TwipLayout& layout, const QRect& twips)
    : QWidget(parent), m_layout(layout), m_twips(twips), m_tabBar(new QTabBar(this))
{
    m_tabBar->setExpanding(false);
    m_tabBar->setDrawBase(false);
    m_tabBar->setFocusPolicy(Qt::TabFocus);
    layout.place(this, twips);
    layout.place(m_tabBar, {0, 0, twips.width(), TabBarTwips}, 9);
    connect(m_tabBar, &QTabBar::currentChanged, this, &DrawTabs::showPage);
}

QWidget* DrawTabs::addPage(const QString& caption, const QString& name)
{
    auto* page = new QFrame(this);
    page->setObjectName(name);
    page->setFrameShape(QFrame::StyledPanel);
    page->setAutoFillBackground(true);
    m_layout.place(page,
                   {0, TabBarTwips - 15, m_twips.width(), m_twips.height() - TabBarTwips + 15});
    m_pages.append(page);
    m_tabBar->addTab(caption);
    showPage(m_tabBar->currentIndex());
    return page;
}

void DrawTabs::placeOnPage(QWidget* child, const QRect& twips, qreal fontPoints)
{
    m_layout.place(child, twips.translated(0, -(TabBarTwips - 15)), fontPoints);
}

int DrawTabs::currentIndex() const
{
    return m_tabBar->currentIndex();
}

void DrawTabs::showPage(int index)
{
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(i == index);
}
