#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>

// Places widgets from design measures in twips and scales them, text
// included, so a screen laid out for 800 x 600 fills any larger window.
class TwipLayout
{
public:
    static constexpr qreal TwipsPerPoint = 20.0;

    // fontPoints 0 keeps the widget's font size untouched.
    void place(QWidget* widget, const QRect& twips, qreal fontPoints = 0);
    void apply(qreal pixelsPerTwip);
    qreal scale() const { return m_pixelsPerTwip; }

    static QRect toPixels(const QRect& twips, qreal pixelsPerTwip);
    static int fontPixels(qreal points, qreal pixelsPerTwip);

private:
    struct Entry
    {
        QPointer<QWidget> widget;
        QRect twips;
        qreal fontPoints;
    };
    QList<Entry> m_entries;
    qreal m_pixelsPerTwip = 1.0 / 15;
};
