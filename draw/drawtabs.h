#pragma once

#include <QWidget>

class QTabBar;
class TwipLayout;

// The tab control that holds the two boards. Its pages share the tab
// control's own twip coordinates, so the boards are placed as designed.
class DrawTabs : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TabBarTwips = 360;

    DrawTabs(QWidget* parent, TwipLayout& layout, const QRect& twips);

    QWidget* addPage(const QString& caption, const QString& name);
    // Places a page's child at twips measured from the tab control's corner.
    void placeOnPage(QWidget* child, const QRect& twips, qreal fontPoints = 0);
    int currentIndex() const;
    QTabBar* tabBar() const { return m_tabBar; }

private:
    void showPage(int index);

    TwipLayout& m_layout;
    QRect m_twips;
    QTabBar* m_tabBar;
    QList<QWidget*> m_pages;
};
