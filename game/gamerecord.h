#pragma once

#include "platform/fileidentity.h"
#include "seriesrecord.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>

namespace SQLite {
class Database;
}

// The record could not be opened, read or written; the text is the French
// message for the organiser, naming the file and the cause.
class RecordError : public std::runtime_error
{
public:
    explicit RecordError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The game record: one SQLite database in the user's data folder holding
// every series and every event of it, written durably as it happens (WAL,
// synchronous FULL), so that after a crash or a power cut every number the
// hall saw is there. Any SQLite tool can read it. Every failure throws
// RecordError; nothing already written is ever changed, only added to, but
// for the state of a series and the deletion the organiser asks for.
class GameRecord
{
public:
    static constexpr int SchemaVersion = 2;
    static constexpr int ApplicationId = 0x4E6D5263; // "NmRc"

    explicit GameRecord(QString path);
    ~GameRecord();
    GameRecord(const GameRecord&) = delete;
    GameRecord& operator=(const GameRecord&) = delete;

    const QString& path() const { return m_path; }
    // Opens the record, making it (and its folder) the first time. A file
    // that is not a record, or a damaged one, is refused and left as it is.
    void open();
    // False once a file of the record open here is no longer in its place
    // (deleted, or another put there): what is written to it would be lost.
    bool isInPlace() const;
    // Writes everything the record open here holds into a new record in its
    // place, and goes on there. Throws RecordError when that cannot be done;
    // another file found in its place is left as it is.
    void rewriteInPlace();

    qint64 startSeries(const SeriesFile& file, const QDateTime& at, const SeriesLink& link = {},
                       const Programme* programme = nullptr);
    void addEvent(qint64 series, const RecordedEvent& event);
    void setState(qint64 series, SeriesState state, const QDateTime& at);
    void addWin(qint64 series, const RecordedWin& win);

    // The evening a grid file was last played in, since a given time: its
    // newest series and every win of it, in order.
    struct EveningTrace
    {
        qint64 evening = 0;
        qint64 lastSeries = 0;
        int lastGame = 0;
        QList<RecordedWin> wins;
    };
    std::optional<EveningTrace> lastEvening(const SeriesFile& file, const QDateTime& since);
    QList<RecordedWin> eveningWins(qint64 evening);
    // The evening played last, 0 when none is recorded.
    qint64 latestEvening();
    // The series of an evening, in the order they were played.
    QList<RecordedSeries> evening(qint64 evening);

    // The newest series left open with a number still out, if any.
    std::optional<RecordedSeries> interruptedSeries();
    RecordedSeries series(qint64 id);
    QList<SeriesSummary> summaries(); // newest first
    void remove(qint64 id);

private:
    template <typename Work> auto guarded(const QString& doing, Work&& work) -> decltype(work());
    void migrate(SQLite::Database& db, int from);
    QList<RecordedWin> wins(const char* where, qint64 id);
    SQLite::Database& db();

    QString m_path;
    std::unique_ptr<SQLite::Database> m_db;
    // The record, its -wal and its -shm, as they were when opened.
    std::array<std::optional<FileIdentity>, 3> m_opened;
};
