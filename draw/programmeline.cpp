#include "programmeline.h"

#include "game/drawseries.h"

using namespace Qt::StringLiterals;

ProgrammeLine::ProgrammeLine(const DrawSeries& series, QWidget* parent)
    : QLabel(parent), m_series(series)
{
    setObjectName(u"Partie"_s);
    setAlignment(Qt::AlignCenter);
    QFont bold(u"Arial"_s);
    bold.setBold(true);
    setFont(bold);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(palette);
    connect(&series, &DrawSeries::changed, this, &ProgrammeLine::refresh);
    refresh();
}

void ProgrammeLine::refresh()
{
    const bool shown = !m_series.file().title.isEmpty();
    const QString line = m_series.evening().line();
    setText(shown ? line : QString());
    setAccessibleName(shown ? line : u"Partie : aucun fichier de tirage choisi"_s);
}
