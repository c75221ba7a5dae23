#include "drawseries.h"

#include "gamerecord.h"
#include "platform/clock.h"

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
    try {
        work(*m_record);
    } catch (const RecordError& e) {
        // The draw never stops for its record: it goes on, marked unrecorded.
        m_faulted = true;
        emit recordFailed(e.message() + u"\n\nLe tirage continue, sans être enregistré."_s);
        emit changed();
    }
}

void DrawSeries::ensureSeries(GameRecord& record)
{
    if (m_seriesId == 0)
        m_seriesId = record.startSeries(m_file, m_clock.now());
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
    });
    return found;
}

void DrawSeries::resume(const RecordedSeries& series, bool checksAllowed)
{
    m_state.clear();
    for (int n : series.sequence()) {
        m_state.record(n);
        m_state.pushLastFive(n);
    }
    m_file = series.file;
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

void DrawSeries::chooseFile(const SeriesFile& file, const QList<QPair<int, Grid>>& grids)
{
    m_file = file;
    m_checksAllowed = true;
    write([&](GameRecord& record) { ensureSeries(record); });
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

int DrawSeries::undoLast()
{
    Q_ASSERT(m_state.count() > 0);
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

void DrawSeries::setProgramme(const QString& gridFileName, const Programme& programme)
{
    if (gridFileName == m_eveningFile && programme == m_evening.programme())
        return;
    const EveningPosition kept = m_evening.position();
    const bool sameFile = gridFileName == m_eveningFile;
    m_evening = Evening(programme);
    if (sameFile)
        m_evening.setPosition(kept);
    m_eveningFile = gridFileName;
    m_watch.setSold(programme.sold);
    emit changed();
}

void DrawSeries::watchGrids(const QList<QPair<int, Grid>>& grids)
{
    m_watch.load(grids);
    m_watch.setSold(m_evening.programme().sold);
    m_watch.replay(m_state.sequence());
    emit changed();
}

int DrawSeries::possibleWinners() const
{
    return m_evening.isOver() ? 0 : m_watch.winnerCount(m_evening.phase());
}

QList<int> DrawSeries::possibleWinnerGrids() const
{
    return m_evening.isOver() ? QList<int>() : m_watch.winners(m_evening.phase());
}
