#include "drawseries.h"

#include "claimjudge.h"
#include "gamerecord.h"
#include "numberpicker.h"
#include "platform/clock.h"

#include <QDir>

using namespace Qt::StringLiterals;

DrawSeries::DrawSeries(const QString& recordPath, const Clock& clock, QObject* parent)
    : QObject(parent), m_clock(clock),
      m_record(recordPath.isEmpty() ? nullptr : std::make_unique<GameRecord>(recordPath))
{}

DrawSeries::~DrawSeries() = default;

QString DrawSeries::recordPath() const
{
    return m_record ? m_record->path() : QString();
}

void DrawSeries::write(const std::function<void(GameRecord&)>& work)
{
    if (!m_record || m_faulted)
        return;
    bool rewritten = false;
    try {
        // Deleted under the open record, its files would take every number
        // to come with them.
        if (!m_record->isInPlace()) {
            m_record->rewriteInPlace();
            rewritten = true;
        }
        work(*m_record);
    } catch (const RecordError& e) {
        // The draw never stops for its record: it goes on, marked unrecorded.
        m_faulted = true;
        emit recordFailed(e.message() + u"\n\nLe tirage continue, sans être enregistré."_s);
        emit changed();
        return;
    }
    if (rewritten)
        emit recordRewritten(u"Le registre des tirages\n"_s +
                             QDir::toNativeSeparators(m_record->path()) +
                             u"\na été supprimé, en tout ou en partie, pendant le tirage.\n\n"
                             "Il a été écrit de nouveau à sa place, avec tout ce qu'il contenait "
                             "et le tirage en cours : le tirage continue, enregistré."_s);
}

void DrawSeries::ensureSeries(GameRecord& record)
{
    if (m_seriesId != 0)
        return;
    // A series of a grid file plays a game of the evening; one without, or
    // drawn once the programme is over, plays none.
    const SeriesLink link =
        m_file.title.isEmpty() || !m_eveningStarted || m_evening.isOver()
            ? SeriesLink()
            : SeriesLink{m_eveningId, m_previousSeries, m_evening.position().game + 1};
    m_seriesId = record.startSeries(m_file, m_clock.now(), link,
                                    link.game != 0 ? &m_evening.programme() : nullptr);
    if (link.game != 0 && m_eveningId == 0)
        m_eveningId = m_seriesId;
}

RecordedEvent DrawSeries::event(RecordedEvent::Kind kind) const
{
    RecordedEvent e;
    e.kind = kind;
    e.at = m_clock.now();
    return e;
}

std::optional<RecordedSeries> DrawSeries::findInterrupted()
{
    std::optional<RecordedSeries> found;
    write([&](GameRecord& record) {
        record.open();
        found = record.interruptedSeries();
        // Every number out: nothing is left to draw, it is closed as complete.
        if (found && found->sequence().size() >= DrawState::Numbers) {
            record.setState(found->id, SeriesState::Complete, found->lastNumberAt());
            found.reset();
        }
    });
    return found;
}

void DrawSeries::resume(const RecordedSeries& series, bool checksAllowed,
                        const Programme& programme)
{
    m_eveningWins = series.wins;
    if (series.link.evening != 0)
        write([&](GameRecord& record) { m_eveningWins = record.eveningWins(series.link.evening); });
    m_eveningId = series.link.evening;
    m_previousSeries = series.link.follows;
    startEvening(series.file.fileName, programme, series.link.game);
    m_state.clear();
    for (int n : series.sequence()) {
        m_state.record(n);
        m_state.pushLastFive(n);
    }
    m_file = series.file;
    m_withoutFile = series.file.title.isEmpty();
    m_seriesId = series.id;
    m_checksAllowed = checksAllowed;
    emit changed();
}

void DrawSeries::abandon(const RecordedSeries& series)
{
    write([&](GameRecord& record) {
        record.setState(series.id, SeriesState::Abandoned, m_clock.now());
    });
}

bool DrawSeries::continuesEvening(const SeriesFile& file) const
{
    return m_eveningStarted && file.fileName == m_eveningFile;
}

std::optional<GameRecord::EveningTrace> DrawSeries::lastEvening(const SeriesFile& file)
{
    // An evening is a matter of hours: last week's, with the same file, is over.
    std::optional<GameRecord::EveningTrace> found;
    write([&](GameRecord& record) {
        found = record.lastEvening(file, m_clock.now().addSecs(-12 * 3600));
    });
    return found;
}

void DrawSeries::chooseFile(const SeriesFile& file, const QList<QPair<int, Grid>>& grids,
                            const Programme& programme,
                            const std::optional<GameRecord::EveningTrace>& earlier)
{
    m_file = file;
    m_checksAllowed = true;
    if (continuesEvening(file)) {
        // After a reinitialisation: the evening already stands at this game.
        if (programme != m_evening.programme()) {
            const EveningPosition at = m_evening.position();
            m_evening = Evening(programme);
            m_evening.setPosition(at);
        }
    } else {
        m_eveningWins = earlier ? earlier->wins : QList<RecordedWin>();
        m_eveningId = earlier ? earlier->evening : 0;
        m_previousSeries = earlier ? earlier->lastSeries : 0;
        startEvening(file.fileName, programme, earlier ? earlier->lastGame : 0);
        if (earlier && m_evening.gameFinished())
            m_evening.nextGame();
    }
    // Its row in the record waits for the first number or check: a file
    // chosen and nothing drawn leaves no empty series behind.
    loadWatch(grids);
}

void DrawSeries::startEvening(const QString& fileName, const Programme& programme, int game)
{
    m_eveningStarted = !fileName.isEmpty();
    m_eveningFile = fileName;
    m_evening = Evening(programme);
    if (game <= 0)
        return;
    QList<Phase> won;
    for (const RecordedWin& win : std::as_const(m_eveningWins))
        if (win.game == game)
            won.append(win.phase);
    m_evening.restore(game - 1, won);
}

void DrawSeries::loadWatch(const QList<QPair<int, Grid>>& grids)
{
    m_watch.load(grids);
    m_watch.setSold(m_evening.programme().sold);
    m_watch.replay(m_state.sequence());
    emit changed();
}

void DrawSeries::draw(int n, DrawMethod method)
{
    if (n < 1 || n > DrawState::Numbers || m_state.isDrawn(n))
        return;
    RecordedEvent e = event(RecordedEvent::Kind::Number);
    e.position = m_state.count() + 1;
    e.value = n;
    e.method = method;
    // On the disk first: after a power cut, every number the hall saw is there.
    write([&](GameRecord& record) {
        ensureSeries(record);
        record.addEvent(m_seriesId, e);
    });
    m_state.record(n);
    m_watch.draw(n);
    emit numberDrawn(n);
    m_state.pushLastFive(n);
    emit changed();
}

int DrawSeries::drawRandom(RandomSource& random, DrawMethod method)
{
    if (m_state.isComplete())
        return 0;
    const int n = pickNumber(m_state, random, m_clock);
    draw(n, method);
    return n;
}

std::optional<int> DrawSeries::lastNumber() const
{
    const QList<int>& out = m_state.sequence();
    return out.isEmpty() ? std::nullopt : std::optional<int>(out.last());
}

void DrawSeries::repeatLast()
{
    if (const std::optional<int> n = lastNumber())
        emit numberRepeated(*n);
}

QString DrawSeries::whyNotUndo() const
{
    if (m_state.count() == 0)
        return u"Aucun numéro n'a été tiré."_s;
    // A winner validated on it has been announced and recorded: the number stays.
    if (const QList<RecordedWin> wins = winsOfLastNumber(); !wins.isEmpty()) {
        QStringList texts;
        for (const RecordedWin& win : wins)
            texts.append(win.text());
        return u"Le numéro "_s + QString::number(m_state.sequence().last()) +
               (wins.size() == 1 ? u" ne peut plus être annulé : un gagnant a été validé sur ce "
                                   "numéro ("_s
                                 : u" ne peut plus être annulé : des gagnants ont été validés sur "
                                   "ce numéro ("_s) +
               texts.join(u" ; "_s) + u")."_s;
    }
    return {};
}

std::optional<int> DrawSeries::undoLast()
{
    if (!whyNotUndo().isEmpty())
        return std::nullopt;
    RecordedEvent e = event(RecordedEvent::Kind::Undo);
    e.position = m_state.count();
    e.value = m_state.sequence().last();
    write([&](GameRecord& record) {
        ensureSeries(record);
        record.addEvent(m_seriesId, e);
    });
    m_state.undoLast();
    m_watch.undo(e.value);
    emit changed();
    return e.value;
}

Verdict DrawSeries::check(const ClaimedGrid& claimed)
{
    const Verdict verdict = ClaimJudge::judge(claimed, *this);
    recordCheck(claimed.kind == ClaimKind::WholeGrid ? RecordedEvent::Kind::GridCheck
                                                     : RecordedEvent::Kind::LineCheck,
                verdict.entry, verdict.text, verdict.matches);
    return verdict;
}

void DrawSeries::recordCheck(RecordedEvent::Kind kind, const QString& entry, const QString& verdict,
                             int matches)
{
    RecordedEvent e = event(kind);
    e.entry = entry;
    e.verdict = verdict;
    e.matches = matches;
    write([&](GameRecord& record) {
        ensureSeries(record);
        record.addEvent(m_seriesId, e);
    });
}

void DrawSeries::reinitialise()
{
    if (m_seriesId != 0)
        write([&](GameRecord& record) {
            record.setState(m_seriesId, SeriesState::Reinitialised, m_clock.now());
        });
    m_state.clear();
    m_file = SeriesFile();
    m_withoutFile = false;
    if (m_seriesId != 0 && m_eveningStarted && !m_evening.isOver())
        m_previousSeries = m_seriesId;
    m_seriesId = 0;
    m_checksAllowed = true;
    m_shownWin.reset();
    // A game over: the new series plays the next one.
    if (m_evening.gameFinished())
        m_evening.nextGame();
    m_watch.load({});
    // A new series tries its record again.
    m_faulted = false;
    emit changed();
}

void DrawSeries::drawWithoutFile()
{
    m_withoutFile = true;
    emit changed();
}

bool DrawSeries::canChooseFile() const
{
    return m_file.title.isEmpty() && !m_withoutFile && m_seriesId == 0 && m_state.count() == 0;
}

void DrawSeries::showWin(const ShownWin& win)
{
    m_shownWin = win;
    emit changed();
}

void DrawSeries::clearWin()
{
    if (!m_shownWin)
        return;
    m_shownWin.reset();
    emit changed();
}

void DrawSeries::watchGrids(const QList<QPair<int, Grid>>& grids)
{
    loadWatch(grids);
}

bool DrawSeries::isPhaseInPlay() const
{
    return !m_evening.isOver() && !m_evening.gameFinished();
}

int DrawSeries::possibleWinners() const
{
    return isPhaseInPlay() ? m_watch.winnerCount(m_evening.phase()) : 0;
}

QList<int> DrawSeries::possibleWinnerGrids() const
{
    return isPhaseInPlay() ? m_watch.winners(m_evening.phase()) : QList<int>();
}

QList<Phase> DrawSeries::claimablePhases() const
{
    QList<Phase> phases;
    if (isPhaseInPlay())
        phases.append(m_evening.phase());
    for (const RecordedWin& win : winsOfLastNumber())
        if (!phases.contains(win.phase))
            phases.append(win.phase);
    return phases;
}

bool DrawSeries::isValidated(int grid, Phase phase) const
{
    const int game = m_evening.position().game + 1;
    return std::any_of(m_eveningWins.begin(), m_eveningWins.end(), [&](const RecordedWin& win) {
        return win.game == game && win.phase == phase && win.grid == grid;
    });
}

QList<Phase> DrawSeries::validatedPhases(int grid) const
{
    QList<Phase> phases;
    for (Phase phase : AllPhases)
        if (isValidated(grid, phase))
            phases.append(phase);
    return phases;
}

RecordedWin DrawSeries::validateWin(int grid, Phase phase, int completedAt, int completingNumber)
{
    Q_ASSERT(claimablePhases().contains(phase) && !m_state.sequence().isEmpty());
    const EveningPosition at = m_evening.position();
    RecordedWin win;
    win.game = at.game + 1;
    win.phase = phase;
    win.grid = grid;
    win.numberCount = m_state.count();
    win.lastNumber = m_state.sequence().last();
    win.at = m_clock.now();
    win.completedAt = completedAt;
    win.completingNumber = completingNumber;
    for (const PhasePrize& p : m_evening.programme().games.value(at.game).phases)
        if (p.phase == phase)
            win.prize = p.prize;
    write([&](GameRecord& record) {
        ensureSeries(record);
        record.addWin(m_seriesId, win);
    });
    m_eveningWins.append(win);
    if (!m_evening.gameFinished() && m_evening.phase() == phase)
        m_evening.advancePhase();
    if (m_shownWin)
        m_shownWin->validated = u"Gagnant validé - "_s + win.text();
    emit changed();
    return win;
}

QList<RecordedWin> DrawSeries::winsOfLastNumber() const
{
    QList<RecordedWin> wins;
    if (m_state.sequence().isEmpty())
        return wins;
    const int game = m_evening.position().game + 1;
    for (const RecordedWin& win : m_eveningWins)
        if (win.game == game && win.numberCount == m_state.count() &&
            win.lastNumber == m_state.sequence().last())
            wins.append(win);
    return wins;
}

QString DrawSeries::hallLine() const
{
    const QList<RecordedWin> wins = winsOfLastNumber();
    if (wins.isEmpty())
        return m_evening.line();
    QStringList texts;
    for (const RecordedWin& win : wins)
        texts.append(win.text());
    return texts.join(u" ; "_s);
}
