#pragma once

#include "drawstate.h"
#include "evening.h"
#include "seriesrecord.h"
#include "winnerwatch.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class GameRecord;

// A winning grid put before the hall while the operator reads its verdict.
struct ShownWin
{
    QString title;
    std::array<QString, 27> cells; // row by row, empty where the grid has no number
    QList<int> marked;             // cell indexes 1..27 of the winning lines
};

// The series being drawn, the one model every window of the draw shows: the
// numbers out, the grid file it is tied to, and its record. A change goes
// in here once; the windows repaint from changed(). Every number is written
// to the record before anyone is told of it. A record that fails is said
// once through recordFailed(); the series then goes on unrecorded.
class DrawSeries : public QObject
{
    Q_OBJECT

public:
    // An empty recordPath keeps no record.
    DrawSeries(const QString& recordPath, const Clock& clock, QObject* parent = nullptr);
    ~DrawSeries() override;

    const DrawState& state() const { return m_state; }
    const SeriesFile& file() const { return m_file; }
    qint64 recordId() const { return m_seriesId; }
    // False once the grids of a resumed series are no longer the players'.
    bool checksAllowed() const { return m_checksAllowed; }
    // The record is meant to be kept but could not be.
    bool isUnrecorded() const { return m_faulted; }
    QString recordPath() const;

    // Opens the record and finds a series left open; failures are said.
    std::optional<RecordedSeries> findInterrupted();
    void resume(const RecordedSeries& series, bool checksAllowed);
    void abandon(const RecordedSeries& series);

    // grids: the file's grids, for the watch of possible winners.
    void chooseFile(const SeriesFile& file, const QList<QPair<int, Grid>>& grids = {});
    // The grids of the file a resumed series is tied to, for the watch.
    void watchGrids(const QList<QPair<int, Grid>>& grids);
    // Sold grids that have what the current phase needs, and their numbers.
    int possibleWinners() const;
    QList<int> possibleWinnerGrids() const;
    bool isWatching() const { return !m_watch.isEmpty(); }
    // A number outside 1..90 or already out is ignored: callers refuse it first.
    void draw(int n, DrawMethod method);
    // The last number taken back; its value.
    int undoLast();
    void recordCheck(RecordedEvent::Kind kind, const QString& entry, const QString& verdict,
                     int matches);
    // A fresh series: the one drawn so far is closed in the record.
    void reinitialise();

    const Evening& evening() const { return m_evening; }
    // The programme of the grid file chosen. The same file chosen again (after
    // a reinitialisation) keeps where the evening stands.
    void setProgramme(const QString& gridFileName, const Programme& programme);

    const std::optional<ShownWin>& shownWin() const { return m_shownWin; }
    void showWin(const ShownWin& win);
    void clearWin();

signals:
    void changed();
    // A number is out, recorded but not yet in the last five: call it out.
    void numberDrawn(int n);
    void recordFailed(const QString& message);

private:
    void write(const std::function<void(GameRecord&)>& work);
    void ensureSeries(GameRecord& record);
    RecordedEvent event(RecordedEvent::Kind kind) const;

    const Clock& m_clock;
    std::unique_ptr<GameRecord> m_record;
    DrawState m_state;
    SeriesFile m_file;
    qint64 m_seriesId = 0;
    bool m_checksAllowed = true;
    bool m_faulted = false;
    std::optional<ShownWin> m_shownWin;
    Evening m_evening;
    WinnerWatch m_watch;
    QString m_eveningFile;
};
