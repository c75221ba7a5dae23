#include "gamerecord.h"

#include "platform/errortext.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

QString text(const SQLite::Column& column)
{
    return column.isNull() ? QString() : QString::fromUtf8(column.getText());
}

// Written with its offset from UTC, so that a series played across a change
// of zone (summer time, a laptop moved to another zone) keeps its order.
QString stamp(const QDateTime& at)
{
    return at.toOffsetFromUtc(at.offsetFromUtc()).toString(Qt::ISODate);
}

// Shown in the zone of the machine reading it. The first records wrote
// their times without a zone: those were local times already.
QDateTime fromStamp(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODate).toLocalTime();
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString failure(const QString& path, const QString& doing, const QString& cause)
{
    return u"Le registre des tirages\n"_s + native(path) + u"\nn'a pas pu être "_s + doing +
           u" : "_s + cause + u"."_s;
}

constexpr int BusyTimeoutMs = 2000;

// The record and the files the engine keeps beside it while it is open.
std::array<QString, 3> partsOf(const QString& path)
{
    return {path, path + u"-wal"_s, path + u"-shm"_s};
}

const char Schema[] = R"(
CREATE TABLE IF NOT EXISTS series (
    id INTEGER PRIMARY KEY,
    started_at TEXT NOT NULL,
    ended_at TEXT,
    state TEXT NOT NULL,
    title TEXT,
    grid_file TEXT,
    draw_date TEXT,
    grid_count INTEGER,
    fingerprint TEXT
);
CREATE TABLE IF NOT EXISTS events (
    id INTEGER PRIMARY KEY,
    series_id INTEGER NOT NULL REFERENCES series(id),
    at TEXT NOT NULL,
    kind TEXT NOT NULL,
    position INTEGER,
    value INTEGER,
    method TEXT,
    entry TEXT,
    verdict TEXT,
    matches INTEGER
);
CREATE INDEX IF NOT EXISTS events_by_series ON events(series_id, id);
)";

// Version 2: the evening's programme. A series says which game it plays and
// which series it follows; the winners validated get a table of their own.
// Applied in one transaction, to a new record as to one of version 1.
const char SchemaTo2[] = R"(
ALTER TABLE series ADD COLUMN evening_id INTEGER;
ALTER TABLE series ADD COLUMN follows_id INTEGER;
ALTER TABLE series ADD COLUMN game INTEGER;
ALTER TABLE series ADD COLUMN programme TEXT;
CREATE TABLE wins (
    id INTEGER PRIMARY KEY,
    series_id INTEGER NOT NULL REFERENCES series(id),
    at TEXT NOT NULL,
    game INTEGER NOT NULL,
    phase TEXT NOT NULL,
    grid INTEGER NOT NULL,
    number_count INTEGER NOT NULL,
    last_number INTEGER,
    prize TEXT,
    completed_at INTEGER,
    completing_number INTEGER
);
CREATE INDEX wins_by_series ON wins(series_id, id);
CREATE INDEX series_by_evening ON series(evening_id, id);
)";

void bindOptional(SQLite::Statement& statement, int index, qint64 value)
{
    if (value != 0)
        statement.bind(index, static_cast<int64_t>(value));
}
} // namespace

GameRecord::GameRecord(QString path) : m_path(std::move(path)) {}

GameRecord::~GameRecord() = default;

SQLite::Database& GameRecord::db()
{
    if (!m_db)
        open();
    return *m_db;
}

template <typename Work>
auto GameRecord::guarded(const QString& doing, Work&& work) -> decltype(work())
{
    try {
        return work();
    } catch (const SQLite::Exception& e) {
        throw RecordError(failure(m_path, doing, sqliteErrorText(e.getErrorCode())));
    }
}

void GameRecord::open()
{
    if (m_db)
        return;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        throw RecordError(
            failure(m_path, u"créé"_s, u"son dossier ne peut pas être créé (droits, disque ?)"_s));
    const bool fresh = QFileInfo(m_path).size() == 0;
    std::unique_ptr<SQLite::Database> db;
    try {
        db = std::make_unique<SQLite::Database>(
            utf8(m_path), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, BusyTimeoutMs);
        const int id = db->execAndGet("PRAGMA application_id").getInt();
        const int version = db->execAndGet("PRAGMA user_version").getInt();
        // Nothing in it yet: an empty file, as a first start cut short leaves.
        const bool blank = fresh && id == 0 && version == 0;
        if (!blank && version > SchemaVersion && id == ApplicationId)
            throw RecordError(failure(m_path, u"ouvert"_s,
                                      u"il a été écrit par une version plus récente de "
                                      "Numerella"_s));
        if (!blank && (id != ApplicationId || version < 1))
            throw SQLite::Exception("not a record", SQLITE_NOTADB);
        // A damaged record is refused before anything is written to it.
        if (!blank) {
            const std::string check = db->execAndGet("PRAGMA quick_check").getString();
            db->execAndGet("SELECT COUNT(*) FROM series").getInt();
            db->execAndGet("SELECT COUNT(*) FROM events").getInt();
            if (check != "ok")
                throw SQLite::Exception("quick_check", SQLITE_CORRUPT);
        }
        // A number is on the disk before the hall sees it.
        db->exec("PRAGMA synchronous = FULL");
        // Carried over before anything else is changed, the journal mode
        // included: a record that cannot be is refused exactly as it was found.
        if (blank || version < SchemaVersion)
            migrate(*db, blank ? 0 : version);
        db->exec("PRAGMA journal_mode = WAL");
        db->exec("PRAGMA foreign_keys = ON");
        // Read once, so that the engine's files are there to be known.
        db->execAndGet("SELECT COUNT(*) FROM series").getInt();
    } catch (const SQLite::Exception& e) {
        const int code = e.getErrorCode() & 0xff;
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            throw RecordError(failure(m_path, u"ouvert"_s,
                                      u"ce fichier n'est pas un registre de Numerella, ou il est "
                                      "endommagé ; il est laissé tel quel"_s));
        throw RecordError(
            failure(m_path, fresh ? u"créé"_s : u"ouvert"_s, sqliteErrorText(e.getErrorCode())));
    }
    m_db = std::move(db);
    const auto parts = partsOf(m_path);
    for (std::size_t i = 0; i < parts.size(); ++i)
        m_opened[i] = FileIdentity::of(parts[i]);
}

bool GameRecord::isInPlace() const
{
    if (!m_db)
        return true;
    const auto parts = partsOf(m_path);
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (m_opened[i] && FileIdentity::of(parts[i]) != m_opened[i])
            return false;
    return true;
}

void GameRecord::rewriteInPlace()
{
    Q_ASSERT(m_db);
    const auto parts = partsOf(m_path);
    const auto ownOrNone = [&](std::size_t i) {
        const std::optional<FileIdentity> found = FileIdentity::of(parts[i]);
        return !found || found == m_opened[i];
    };
    const auto refuseAnotherFile = [&] {
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (!ownOrNone(i))
                throw RecordError(failure(m_path, u"écrit"_s,
                                          u"un autre fichier a été mis à sa place pendant le "
                                          "tirage ; il est laissé tel quel"_s));
    };
    const QString doing = u"écrit de nouveau"_s;
    refuseAnotherFile();
    // Its whole folder may have gone.
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // Made whole beside its place, from what this connection still reads of
    // the files it holds open, then put in place.
    QTemporaryFile copy(m_path + u".XXXXXX"_s);
    if (!copy.open())
        throw RecordError(failure(m_path, doing, fileErrorText(copy)));
    copy.close();
    guarded(doing, [&] {
        SQLite::Statement vacuum(*m_db, "VACUUM INTO ?");
        vacuum.bind(1, utf8(copy.fileName()));
        vacuum.exec();
    });
    m_db.reset();
    refuseAnotherFile();
    // What is left of the old files would be played back into the new record.
    for (std::size_t i = parts.size(); i-- > 1;)
        if (FileIdentity::of(parts[i]) && !QFile::remove(parts[i]))
            throw RecordError(failure(m_path, doing,
                                      u"l'ancien fichier "_s + native(parts[i]) +
                                          u" ne peut pas être supprimé"_s));
    if (std::rename(QFile::encodeName(copy.fileName()).constData(),
                    QFile::encodeName(m_path).constData()) != 0)
        throw RecordError(failure(m_path, doing, systemErrorText(errno)));
    // The engine makes its new -wal beside it at the next write, and syncs
    // the folder then: the new name is on the disk with the next number.
    open();
}

void GameRecord::migrate(SQLite::Database& db, int from)
{
    // All or nothing: a record cut off half-way stays at its old version.
    SQLite::Transaction transaction(db);
    if (from == 0) {
        db.exec(Schema);
        db.exec("PRAGMA application_id = " + std::to_string(ApplicationId));
    }
    if (from < 2)
        db.exec(SchemaTo2);
    db.exec("PRAGMA user_version = " + std::to_string(SchemaVersion));
    transaction.commit();
}

qint64 GameRecord::startSeries(const SeriesFile& file, const QDateTime& at, const SeriesLink& link,
                               const Programme* programme)
{
    return guarded(u"écrit"_s, [&] {
        SQLite::Statement insert(db(), "INSERT INTO series (started_at, state, title, grid_file, "
                                       "draw_date, grid_count, fingerprint, evening_id, "
                                       "follows_id, game, programme) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, utf8(stamp(at)));
        insert.bind(2, utf8(stateCode(SeriesState::Open)));
        if (!file.title.isEmpty()) {
            insert.bind(3, utf8(file.title));
            insert.bind(4, utf8(file.fileName));
            insert.bind(5, utf8(file.drawDate));
            insert.bind(6, file.gridCount);
            insert.bind(7, utf8(file.fingerprint));
        }
        bindOptional(insert, 8, link.evening);
        bindOptional(insert, 9, link.follows);
        bindOptional(insert, 10, link.game);
        // The programme as it stood: the report says what each phase was for.
        if (programme)
            insert.bind(11, programme->toJson().toStdString());
        insert.exec();
        const qint64 id = db().getLastInsertRowid();
        // The first series of an evening names it.
        if (link.game != 0 && link.evening == 0) {
            SQLite::Statement name(db(), "UPDATE series SET evening_id = id WHERE id = ?");
            name.bind(1, static_cast<int64_t>(id));
            name.exec();
        }
        return id;
    });
}

void GameRecord::addEvent(qint64 series, const RecordedEvent& event)
{
    guarded(u"écrit"_s, [&] {
        SQLite::Statement insert(db(), "INSERT INTO events (series_id, at, kind, position, value, "
                                       "method, entry, verdict, matches) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, static_cast<int64_t>(series));
        insert.bind(2, utf8(stamp(event.at)));
        insert.bind(3, utf8(kindCode(event.kind)));
        const bool check = event.kind == RecordedEvent::Kind::GridCheck ||
                           event.kind == RecordedEvent::Kind::LineCheck;
        if (!check) {
            insert.bind(4, event.position);
            insert.bind(5, event.value);
        }
        if (event.kind == RecordedEvent::Kind::Number)
            insert.bind(6, utf8(methodCode(event.method)));
        if (check) {
            insert.bind(7, utf8(event.entry));
            insert.bind(8, utf8(event.verdict));
            insert.bind(9, event.matches);
        }
        insert.exec();
    });
}

void GameRecord::setState(qint64 series, SeriesState state, const QDateTime& at)
{
    guarded(u"écrit"_s, [&] {
        SQLite::Statement update(db(), "UPDATE series SET state = ?, ended_at = ? WHERE id = ?");
        update.bind(1, utf8(stateCode(state)));
        if (state != SeriesState::Open)
            update.bind(2, utf8(stamp(at)));
        update.bind(3, static_cast<int64_t>(series));
        update.exec();
    });
}

RecordedSeries GameRecord::series(qint64 id)
{
    return guarded(u"lu"_s, [&] {
        RecordedSeries s;
        SQLite::Statement head(db(), "SELECT id, started_at, ended_at, state, title, grid_file, "
                                     "draw_date, grid_count, fingerprint, evening_id, "
                                     "follows_id, game, programme FROM series WHERE id = ?");
        head.bind(1, static_cast<int64_t>(id));
        if (!head.executeStep())
            return s;
        s.id = head.getColumn(0).getInt64();
        s.started = fromStamp(text(head.getColumn(1)));
        s.ended = fromStamp(text(head.getColumn(2)));
        s.state = stateFromCode(text(head.getColumn(3)));
        s.file = {text(head.getColumn(4)), text(head.getColumn(5)), text(head.getColumn(6)),
                  head.getColumn(7).getInt(), text(head.getColumn(8))};
        s.link = {head.getColumn(9).getInt64(), head.getColumn(10).getInt64(),
                  head.getColumn(11).getInt()};
        if (!head.getColumn(12).isNull())
            s.programme =
                Programme::fromJson(QByteArray::fromStdString(head.getColumn(12).getString()));
        SQLite::Statement events(db(), "SELECT at, kind, position, value, method, entry, verdict, "
                                       "matches FROM events WHERE series_id = ? ORDER BY id");
        events.bind(1, static_cast<int64_t>(id));
        while (events.executeStep()) {
            RecordedEvent e;
            e.at = fromStamp(text(events.getColumn(0)));
            e.kind = kindFromCode(text(events.getColumn(1)));
            e.position = events.getColumn(2).getInt();
            e.value = events.getColumn(3).getInt();
            e.method = methodFromCode(text(events.getColumn(4)));
            e.entry = text(events.getColumn(5));
            e.verdict = text(events.getColumn(6));
            e.matches = events.getColumn(7).getInt();
            s.events.append(e);
        }
        s.wins = wins("w.series_id = ?", id);
        return s;
    });
}

void GameRecord::addWin(qint64 series, const RecordedWin& win)
{
    guarded(u"écrit"_s, [&] {
        SQLite::Statement insert(db(), "INSERT INTO wins (series_id, at, game, phase, grid, "
                                       "number_count, last_number, prize, completed_at, "
                                       "completing_number) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, static_cast<int64_t>(series));
        insert.bind(2, utf8(stamp(win.at)));
        insert.bind(3, win.game);
        insert.bind(4, utf8(phaseCode(win.phase)));
        insert.bind(5, win.grid);
        insert.bind(6, win.numberCount);
        insert.bind(7, win.lastNumber);
        insert.bind(8, utf8(win.prize));
        insert.bind(9, win.completedAt);
        insert.bind(10, win.completingNumber);
        insert.exec();
    });
}

QList<RecordedWin> GameRecord::wins(const char* where, qint64 id)
{
    QList<RecordedWin> out;
    SQLite::Statement query(db(), std::string("SELECT w.at, w.game, w.phase, w.grid, "
                                              "w.number_count, w.last_number, w.prize, "
                                              "w.completed_at, w.completing_number "
                                              "FROM wins w JOIN series s ON s.id = w.series_id "
                                              "WHERE ") +
                                      where + " ORDER BY w.id");
    query.bind(1, static_cast<int64_t>(id));
    while (query.executeStep()) {
        // A phase no version of Numerella wrote is passed over.
        const auto phase = phaseFromCode(text(query.getColumn(2)));
        if (!phase)
            continue;
        out.append({query.getColumn(1).getInt(), *phase, query.getColumn(3).getInt(),
                    query.getColumn(4).getInt(), query.getColumn(5).getInt(),
                    fromStamp(text(query.getColumn(0))), text(query.getColumn(6)),
                    query.getColumn(7).getInt(), query.getColumn(8).getInt()});
    }
    return out;
}

std::optional<GameRecord::EveningTrace> GameRecord::lastEvening(const SeriesFile& file,
                                                                const QDateTime& since)
{
    return guarded(u"lu"_s, [&]() -> std::optional<EveningTrace> {
        SQLite::Statement query(db(), "SELECT id, evening_id, game, started_at FROM series "
                                      "WHERE grid_file = ? AND fingerprint = ? AND game > 0 "
                                      "AND evening_id IS NOT NULL ORDER BY id DESC");
        query.bind(1, utf8(file.fileName));
        query.bind(2, utf8(file.fingerprint));
        // Compared as instants, not as texts: a time's text depends on its
        // zone, and the first records wrote none.
        bool found = false;
        while (!found && query.executeStep())
            found = fromStamp(text(query.getColumn(3))) >= since;
        if (!found)
            return std::nullopt;
        EveningTrace trace;
        trace.lastSeries = query.getColumn(0).getInt64();
        trace.evening = query.getColumn(1).getInt64();
        trace.lastGame = query.getColumn(2).getInt();
        trace.wins = wins("s.evening_id = ?", trace.evening);
        return trace;
    });
}

qint64 GameRecord::latestEvening()
{
    return guarded(u"lu"_s, [&]() -> qint64 {
        SQLite::Statement query(db(), "SELECT evening_id FROM series WHERE evening_id IS NOT NULL "
                                      "ORDER BY id DESC LIMIT 1");
        return query.executeStep() ? query.getColumn(0).getInt64() : 0;
    });
}

QList<RecordedWin> GameRecord::eveningWins(qint64 evening)
{
    return guarded(u"lu"_s, [&] { return wins("s.evening_id = ?", evening); });
}

QList<RecordedSeries> GameRecord::evening(qint64 evening)
{
    const QList<qint64> ids = guarded(u"lu"_s, [&] {
        QList<qint64> out;
        SQLite::Statement query(db(), "SELECT id FROM series WHERE evening_id = ? ORDER BY id");
        query.bind(1, static_cast<int64_t>(evening));
        while (query.executeStep())
            out.append(query.getColumn(0).getInt64());
        return out;
    });
    QList<RecordedSeries> out;
    for (qint64 id : ids)
        out.append(series(id));
    return out;
}

std::optional<RecordedSeries> GameRecord::interruptedSeries()
{
    const qint64 id = guarded(u"lu"_s, [&]() -> qint64 {
        SQLite::Statement query(db(), "SELECT id FROM series WHERE state = ? ORDER BY id DESC");
        query.bind(1, utf8(stateCode(SeriesState::Open)));
        return query.executeStep() ? query.getColumn(0).getInt64() : 0;
    });
    if (id == 0)
        return std::nullopt;
    RecordedSeries found = series(id);
    if (found.sequence().isEmpty())
        return std::nullopt;
    return found;
}

QList<SeriesSummary> GameRecord::summaries()
{
    const QList<qint64> ids = guarded(u"lu"_s, [&] {
        QList<qint64> out;
        SQLite::Statement query(db(), "SELECT id FROM series ORDER BY id DESC");
        while (query.executeStep())
            out.append(query.getColumn(0).getInt64());
        return out;
    });
    QList<SeriesSummary> out;
    for (qint64 id : ids) {
        const RecordedSeries s = series(id);
        out.append({s.id, s.started, s.displayTitle(), int(s.sequence().size()), s.state});
    }
    return out;
}

void GameRecord::remove(qint64 id)
{
    guarded(u"modifié"_s, [&] {
        SQLite::Transaction transaction(db());
        SQLite::Statement wins(db(), "DELETE FROM wins WHERE series_id = ?");
        wins.bind(1, static_cast<int64_t>(id));
        wins.exec();
        SQLite::Statement events(db(), "DELETE FROM events WHERE series_id = ?");
        events.bind(1, static_cast<int64_t>(id));
        events.exec();
        SQLite::Statement series(db(), "DELETE FROM series WHERE id = ?");
        series.bind(1, static_cast<int64_t>(id));
        series.exec();
        transaction.commit();
    });
}
