#pragma once

#include "programme.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What the game record keeps of a series, as written and as read back.

// How a number came out.
enum class DrawMethod { Hand, Timed, BallMachine };
QString methodCode(DrawMethod method);  // as stored
QString methodLabel(DrawMethod method); // as the report says it
DrawMethod methodFromCode(const QString& code);

// Complete: left open with every number out, closed when found so.
enum class SeriesState { Open, Reinitialised, Abandoned, Complete };
QString stateCode(SeriesState state);
QString stateLabel(SeriesState state);
SeriesState stateFromCode(const QString& code);

// The grid file a series is tied to; an empty title when there is none.
struct SeriesFile
{
    QString title; // as the draw screen's title shows it
    QString fileName;
    QString drawDate; // DD-MM-YYYY
    int gridCount = 0;
    QString fingerprint; // of its grid numbers and cells

    bool operator==(const SeriesFile&) const = default;
};

struct RecordedEvent
{
    enum class Kind { Number, Undo, GridCheck, LineCheck };
    Kind kind = Kind::Number;
    QDateTime at;
    int position = 0; // the number's rank in the draw, for numbers and undos
    int value = 0;
    DrawMethod method = DrawMethod::Hand;
    QString entry;   // a check: the grid number as typed and formatted
    QString verdict; // a check: what the operator was told
    int matches = 0; // a check: numbers of the grid (or of its best row) drawn
};
QString kindCode(RecordedEvent::Kind kind);  // as stored
QString kindLabel(RecordedEvent::Kind kind); // as the exported series says it
RecordedEvent::Kind kindFromCode(const QString& code);

// A winner the operator validated: which game and phase of the programme,
// the grid, and where the draw stood.
struct RecordedWin
{
    int game = 0; // 1-based, as the programme line says it
    Phase phase = Phase::Quine;
    int grid = 0;
    int numberCount = 0; // numbers out when it was validated
    int lastNumber = 0;
    QDateTime at;
    QString prize;
    int completedAt = 0; // rank of the number that made it win, 1-based
    int completingNumber = 0;

    // "Quine : grille 123 - Un jambon", without the prize when it has none.
    QString text() const;
    bool operator==(const RecordedWin&) const = default;
};

// Where a series stands in the evening it belongs to: the series of one
// evening follow each other, one game each.
struct SeriesLink
{
    qint64 evening = 0; // the evening's first series; 0 for a series on its own
    qint64 follows = 0; // the series played before it that evening
    int game = 0;       // 1-based; 0 when it plays no game of a programme
};

struct RecordedSeries
{
    qint64 id = 0;
    QDateTime started;
    QDateTime ended; // invalid while the series is open
    SeriesState state = SeriesState::Open;
    SeriesFile file;
    SeriesLink link;
    std::optional<Programme> programme; // as it stood when the series began
    QList<RecordedEvent> events;
    QList<RecordedWin> wins;

    // The numbers out now, in draw order: every number, less those undone.
    QList<int> sequence() const;
    // When the last number still out came out.
    QDateTime lastNumberAt() const;
    // The title to show: the draw's, or "sans fichier de tirage".
    QString displayTitle() const;
    // What the operator is asked when the series was left unfinished.
    QString resumeQuestion() const;
};

struct SeriesSummary
{
    qint64 id = 0;
    QDateTime started;
    QString title; // as displayTitle()
    int numbers = 0;
    SeriesState state = SeriesState::Open;
};
