#include "programmeline.h"

#include "game/drawseries.h"

using namespace Qt::StringLiterals;

ProgrammeLine::ProgrammeLine(const DrawSeries& series, QWidget* parent)
    : SeriesLabel(series, u"Partie"_s, QColor(0, 0, 128), parent)
{
    refresh();
}

void ProgrammeLine::refresh()
{
    const bool shown = !m_series.file().title.isEmpty();
    const QString line = m_series.evening().line();
    setLine(shown ? line : QString());
    setAccessibleName(shown ? line : u"Partie : aucun fichier de tirage choisi"_s);
}
