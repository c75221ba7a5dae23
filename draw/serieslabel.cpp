#include "serieslabel.h"

#include "game/drawseries.h"

using namespace Qt::StringLiterals;

SeriesLabel::SeriesLabel(const DrawSeries& series, const QString& name, const QColor& colour,
                         QWidget* parent)
    : QLabel(parent), m_series(series)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    QFont bold(u"Arial"_s);
    bold.setBold(true);
    setFont(bold);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
    connect(&series, &DrawSeries::changed, this, [this] { refresh(); });
}

void SeriesLabel::setLine(const QString& text)
{
    m_line = text;
    fit();
}

void SeriesLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fit();
}

void SeriesLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    // The layout sets the font after the size: the cut is made again.
    if (event->type() == QEvent::FontChange)
        fit();
}

void SeriesLabel::fit()
{
    setText(fontMetrics().elidedText(m_line, Qt::ElideRight, std::max(0, contentsRect().width())));
}
