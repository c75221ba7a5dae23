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
