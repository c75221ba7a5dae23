#include "seriesopening.h"

#include "drawgridfile.h"
#include "game/drawseries.h"
#include "game/programmestore.h"
#include "grids/gridfileerror.h"
#include "platform/busypointer.h"
#include "platform/counttext.h"
#include "platform/param.h"
#include "platform/services.h"

using namespace Qt::StringLiterals;

namespace {
QString continueQuestion(const GameRecord::EveningTrace& trace)
{
    const RecordedWin& last = trace.wins.last();
    const int count = int(trace.wins.size());
    return u"Une soirée a déjà été jouée avec ce fichier de grilles :\n"_s +
           countText(count, u"gagnant validé"_s, u"gagnants validés"_s) + u", le dernier à "_s +
           last.at.toString(u"hh:mm"_s) + u" (partie %1).\n\n"_s.arg(last.game) +
           u"Voulez-vous continuer cette soirée ?\n"
           "(Non : une nouvelle soirée commence à la partie 1.)"_s;
}

const QString ProgrammeOver =
    u"Le programme de la soirée est terminé : toutes ses parties ont été jouées.\n\n"
    "Les numéros tirés maintenant ne comptent pour aucune partie. Pour jouer une partie de "
    "plus, ajoutez-la d'abord au programme de la soirée."_s;
} // namespace

SeriesOpening::SeriesOpening(Services& services, DrawSeries& series, QWidget* parent)
    : m_services(services), m_series(series), m_parent(parent)
{}

Programme SeriesOpening::programmeOf(const QString& gridFileName)
{
    const ProgrammeStore::Loaded loaded =
        ProgrammeStore(Param::ProgrammeFolder()).load(gridFileName);
    if (!loaded.problem.isEmpty())
        m_services.message(m_parent, MsgIcon::Exclamation, loaded.problem);
    return loaded.programme;
}

bool SeriesOpening::chooseFile(const QString& title)
{
    SeriesFile file;
    QList<QPair<int, Grid>> grids;
    try {
        // A damaged file is refused now, before the game, not at the first check.
        const BusyPointer busy;
        file = DrawGridFile::choose(Param::AppPath(), title, &grids);
    } catch (const GridFileError& e) {
        m_services.message(m_parent, MsgIcon::Critical, e.message());
        return false;
    }
    const Programme programme = programmeOf(file.fileName);
    std::optional<GameRecord::EveningTrace> earlier;
    if (!m_series.continuesEvening(file))
        earlier = m_series.lastEvening(file);
    // An evening where nobody won yet has nothing worth going on with.
    if (earlier && (earlier->wins.isEmpty() ||
                    m_services.message(m_parent, MsgIcon::Question, continueQuestion(*earlier),
                                       MsgButtons::YesNo) != MsgAnswer::Yes))
        earlier.reset();
    m_series.chooseFile(file, grids, programme, earlier);
    // Every game played: what is drawn now counts for none, and says so.
    if (m_series.evening().isOver())
        m_services.message(m_parent, MsgIcon::Information, ProgrammeOver);
    return true;
}

void SeriesOpening::resume(const RecordedSeries& found, bool checkable)
{
    m_series.resume(found, checkable, programmeOf(found.file.fileName));
    if (!checkable)
        return;
    try {
        QList<QPair<int, Grid>> grids;
        // Remade since it was found sound, it lends the watch none of its grids.
        if (DrawGridFile::choose(Param::AppPath(), found.file.title, &grids).fingerprint ==
            found.file.fingerprint)
            m_series.watchGrids(grids);
    } catch (const GridFileError&) {
        // Just found sound; gone since, the checks will say so.
    }
}
