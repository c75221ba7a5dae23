#pragma once

#include "drawstate.h"
#include "evening.h"
#include "gamerecord.h"
#include "seriesrecord.h"
#include "verdict.h"
#include "winnerwatch.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class RandomSource;

// A winning grid put before the hall while the operator reads its verdict.
struct ShownWin
{
    QString title;
    std::array<QString, 27> cells; // row by row, empty where the grid has no number
    QList<int> marked;             // cell indexes 1..27 of the winning lines
    QString validated;             // once the operator validated it: what it won
};

// The series being drawn, the one model every window of the draw shows: the
// numbers out, the grid file it is tied to, and its record. A change goes
// in here once; the windows repaint from changed(). Every number is written
// to the record before anyone is told of it. A record that fails is said
// once through recordFailed(); the series then goes on unrecorded. A record
// whose files went from under it is written again in its place first, and
// that is said once through recordRewritten().
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

    // Opens the record and finds a series left open with numbers still to
    // draw; one left with every number out is closed as complete. Failures
    // are said.
    std::optional<RecordedSeries> findInterrupted();
    // programme: that of the series' grid file.
    void resume(const RecordedSeries& series, bool checksAllowed,
                const Programme& programme = Programme::standard());
    void abandon(const RecordedSeries& series);

    // The file of a new series, its programme, and its grids for the watch of
    // possible winners. The series plays the next game of the evening under
    // way with this file, or of `earlier`, an evening found in the record;
    // else it opens a new evening.
    void chooseFile(const SeriesFile& file, const QList<QPair<int, Grid>>& grids = {},
                    const Programme& programme = Programme::standard(),
                    const std::optional<GameRecord::EveningTrace>& earlier = std::nullopt);
    // The operator agreed to draw this series without a grid file: asked
    // once, until the series is reinitialised.
    void drawWithoutFile();
    bool isWithoutFile() const { return m_withoutFile; }
    // Nothing is drawn nor recorded yet, and no grid file chosen.
    bool canChooseFile() const;
    // Whether a series of this file goes on with the evening drawn so far.
    bool continuesEvening(const SeriesFile& file) const;
    // The last evening played with this file in the past hours, if any.
    std::optional<GameRecord::EveningTrace> lastEvening(const SeriesFile& file);
    // The grids of the file a resumed series is tied to, for the watch.
    void watchGrids(const QList<QPair<int, Grid>>& grids);
    // A phase is being played: the evening is not over, nor its game.
    bool isPhaseInPlay() const;
    // Sold grids that have what the current phase needs, and their numbers.
    int possibleWinners() const;
    QList<int> possibleWinnerGrids() const;
    bool isWatching() const { return !m_watch.isEmpty(); }
    // A number outside 1..90 or already out is ignored: callers refuse it first.
    void draw(int n, DrawMethod method);
    // Draws a number not out yet, by hand or timed; the number, or 0 when
    // every number is out.
    int drawRandom(RandomSource& random, DrawMethod method);
    // Why the last number cannot be taken back; empty when it can.
    QString whyNotUndo() const;
    // The last number taken back, unless whyNotUndo() refuses it.
    std::optional<int> undoLast();
    // The number out now, the newest still drawn.
    std::optional<int> lastNumber() const;
    // The hall asks to hear the number out now again; nothing when none is.
    void repeatLast();
    // Judges a claim for the evening and records the verdict.
    Verdict check(const ClaimedGrid& claimed);
    void recordCheck(RecordedEvent::Kind kind, const QString& entry, const QString& verdict,
                     int matches);
    // A fresh series: the one drawn so far is closed in the record.
    void reinitialise();

    const Evening& evening() const { return m_evening; }
    // Every winner validated this evening, in order.
    const QList<RecordedWin>& eveningWins() const { return m_eveningWins; }
    // The phases a winning grid can be validated for now: the phase played,
    // then any phase won on the number out now, which further winners of that
    // number may share until the next number comes out.
    QList<Phase> claimablePhases() const;
    bool isValidated(int grid, Phase phase) const;
    // The phases of the game played a grid was validated for.
    QList<Phase> validatedPhases(int grid) const;
    // Records the winner (the phase must be claimable) and, for the phase
    // played, moves the evening on.
    // completedAt, completingNumber: where the grid reached the phase.
    RecordedWin validateWin(int grid, Phase phase, int completedAt = 0, int completingNumber = 0);
    // The winners validated on the number out now.
    QList<RecordedWin> winsOfLastNumber() const;
    // The hall's programme line: the winners of the number out now, else the
    // evening's line.
    QString hallLine() const;

    const std::optional<ShownWin>& shownWin() const { return m_shownWin; }
    void showWin(const ShownWin& win);
    void clearWin();

signals:
    void changed();
    // A number is out, recorded but not yet in the last five: call it out.
    void numberDrawn(int n);
    // The number out now, to call out again.
    void numberRepeated(int n);
    void recordFailed(const QString& message);
    void recordRewritten(const QString& message);

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
    bool m_withoutFile = false;
    std::optional<ShownWin> m_shownWin;
    void startEvening(const QString& fileName, const Programme& programme, int game);
    void loadWatch(const QList<QPair<int, Grid>>& grids);

    Evening m_evening;
    WinnerWatch m_watch;
    // The evening the series belongs to: its grid file, its first series in
    // the record, the series played before this one.
    bool m_eveningStarted = false;
    QString m_eveningFile;
    qint64 m_eveningId = 0;
    qint64 m_previousSeries = 0;
    QList<RecordedWin> m_eveningWins;
};
