#include "fakes/fakeservices.h"
#include "game/drawseries.h"
#include "game/gamerecord.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;

namespace {
QByteArray digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

const SeriesFile Noel{u"Tirage du 25-12-2000 - 100 grilles"_s, u"100-25-12-2000.DAT"_s,
                      u"25-12-2000"_s, 100, u"abc123"_s};
} // namespace

class TestGameRecord : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock;

    QString path(const QString& name = u"tirages.db"_s) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        // A killed series leaves the engine's files too, which a new record
        // would take for its own.
        for (const QString& suffix : {QString(), u"-wal"_s, u"-shm"_s})
            QFile::remove(path() + suffix);
        m_clock.time = QDateTime(QDate(2026, 12, 24), QTime(20, 30));
    }

    void aSeriesReadsBackAsItWasPlayed()
    {
        {
            DrawSeries series(path(), m_clock);
            series.chooseFile(Noel);
            for (int n : {12, 90, 7, 45}) {
                m_clock.time = m_clock.time.addSecs(30);
                series.draw(n, n == 90 ? DrawMethod::Timed : DrawMethod::Hand);
            }
            QCOMPARE(series.undoLast(), std::optional<int>(45));
            series.draw(3, DrawMethod::BallMachine);
            series.recordCheck(RecordedEvent::Kind::LineCheck, u"0042"_s, u"Perdu ;\n\"non\""_s, 2);
            QVERIFY(!series.isUnrecorded());
        }
        GameRecord record(path());
        const std::optional<RecordedSeries> open = record.interruptedSeries();
        QVERIFY(open);
        QCOMPARE(open->file.fingerprint, u"abc123"_s);
        QCOMPARE(open->file.title, Noel.title);
        QCOMPARE(open->sequence(), QList<int>({12, 90, 7, 3}));
        QCOMPARE(open->events.size(), 7);
        QCOMPARE(open->events[1].method, DrawMethod::Timed);
        QCOMPARE(open->events[4].kind, RecordedEvent::Kind::Undo);
        QCOMPARE(open->events[4].position, 4);
        QCOMPARE(open->events[5].method, DrawMethod::BallMachine);
        QCOMPARE(open->events[6].verdict, u"Perdu ;\n\"non\""_s);
        QCOMPARE(open->lastNumberAt(), m_clock.time);

        const QList<SeriesSummary> list = record.summaries();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].numbers, 4);
        QCOMPARE(list[0].title, Noel.title);

        // Reinitialised or abandoned, a series is no longer offered again, but kept.
        record.setState(open->id, SeriesState::Abandoned, m_clock.time);
        QVERIFY(!record.interruptedSeries());
        QCOMPARE(record.series(open->id).state, SeriesState::Abandoned);
        QCOMPARE(record.series(open->id).events.size(), 7);
    }

    void theNumberIsOnTheDiskBeforeAnyoneIsTold()
    {
        DrawSeries series(path(), m_clock);
        QList<int> seenOnDisk;
        connect(&series, &DrawSeries::numberDrawn, this, [&](int) {
            // Another connection, as a crash leaves the file for the next start.
            GameRecord reader(path());
            seenOnDisk = reader.interruptedSeries()->sequence();
        });
        series.draw(21, DrawMethod::Hand);
        QCOMPARE(seenOnDisk, QList<int>({21}));
        SQLite::Database db(path().toStdString(), SQLite::OPEN_READONLY);
        QCOMPARE(db.execAndGet("PRAGMA journal_mode").getString(), std::string("wal"));
        QCOMPARE(db.execAndGet("PRAGMA user_version").getInt(), GameRecord::SchemaVersion);
    }

    void aRecordThatFailsNeverStopsTheDraw_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("cause");
        QTest::newRow("texte") << QByteArray("pas une base\n", 13) << u"n'est pas un registre"_s;
        QTest::newRow("base étrangère") << QByteArray() << u"n'est pas un registre"_s;
        QTest::newRow("plus récente") << QByteArray("newer") << u"plus récente"_s;
        QTest::newRow("dossier") << QByteArray("folder") << u"n'a pas pu être"_s;
    }

    void aRecordThatFailsNeverStopsTheDraw()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, cause);
        const QString file = path(QString::fromLatin1(QTest::currentDataTag()) + u".db"_s);
        if (content == "folder") {
            QVERIFY(QDir().mkpath(file)); // a folder where the file should be
        } else if (content.isEmpty() || content == "newer") {
            SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec("CREATE TABLE autre (x)");
            if (content == "newer") {
                db.exec("PRAGMA application_id = " + std::to_string(GameRecord::ApplicationId));
                db.exec("PRAGMA user_version = 99");
            }
        } else {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QByteArray before = digest(file);

        DrawSeries series(file, m_clock);
        QSignalSpy failures(&series, &DrawSeries::recordFailed);
        QSignalSpy shown(&series, &DrawSeries::numberDrawn);
        for (int n : {5, 6, 7})
            series.draw(n, DrawMethod::Hand);
        series.undoLast();
        QCOMPARE(failures.size(), 1); // said once, not at every number
        const QString message = failures[0][0].toString();
        QVERIFY2(message.contains(QDir::toNativeSeparators(file)), qPrintable(message));
        QVERIFY2(message.contains(cause), qPrintable(message));
        QVERIFY(message.endsWith(u"Le tirage continue, sans être enregistré."_s));
        QCOMPARE(shown.size(), 3);
        QCOMPARE(series.state().sequence(), QList<int>({5, 6}));
        QVERIFY(series.isUnrecorded());
        QCOMPARE(digest(file), before); // left exactly as it was
    }

    void aRecordOfTheFirstVersionIsCarriedOverWhole()
    {
        // A record as the first version wrote it, one series of two numbers.
        const auto makeFirstVersion = [](const QString& file, const char* extra) {
            SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec("CREATE TABLE series (id INTEGER PRIMARY KEY, started_at TEXT NOT NULL, "
                    "ended_at TEXT, state TEXT NOT NULL, title TEXT, grid_file TEXT, "
                    "draw_date TEXT, grid_count INTEGER, fingerprint TEXT);"
                    "CREATE TABLE events (id INTEGER PRIMARY KEY, series_id INTEGER NOT NULL "
                    "REFERENCES series(id), at TEXT NOT NULL, kind TEXT NOT NULL, position "
                    "INTEGER, value INTEGER, method TEXT, entry TEXT, verdict TEXT, matches "
                    "INTEGER);"
                    "INSERT INTO series VALUES (1, '2026-12-01T20:00:00', NULL, 'en_cours', "
                    "'Tirage du 25-12-2000 - 100 grilles', '100-25-12-2000.DAT', '25-12-2000', "
                    "100, 'abc123');"
                    "INSERT INTO events (series_id, at, kind, position, value, method) VALUES "
                    "(1, '2026-12-01T20:01:00', 'numero', 1, 17, 'main'),"
                    "(1, '2026-12-01T20:02:00', 'numero', 2, 4, 'boulier');");
            db.exec(extra);
            // The first version's own records are in WAL mode; one copied
            // by a tool may not be.
            if (!std::string(extra).empty())
                db.exec("PRAGMA journal_mode = DELETE");
            else
                db.exec("PRAGMA journal_mode = WAL");
            db.exec("PRAGMA application_id = " + std::to_string(GameRecord::ApplicationId));
            db.exec("PRAGMA user_version = 1");
        };
        makeFirstVersion(path(), "");
        {
            GameRecord record(path());
            const RecordedSeries old = *record.interruptedSeries();
            QCOMPARE(old.sequence(), QList<int>({17, 4}));
            QCOMPARE(old.file, Noel);
            QCOMPARE(old.link.game, 0);
            record.addWin(old.id, {1, Phase::Quine, 12, 2, 4, m_clock.now(), u"Un jambon"_s});
            QCOMPARE(record.series(old.id).wins.size(), 1);
        }
        SQLite::Database db(path().toStdString(), SQLite::OPEN_READONLY);
        QCOMPARE(db.execAndGet("PRAGMA user_version").getInt(), GameRecord::SchemaVersion);

        // Carried over all at once or not at all: a table in the way stops it
        // and the record stays as the first version left it.
        const QString blocked = path(u"bloque.db"_s);
        makeFirstVersion(blocked, "CREATE TABLE wins (x)");
        const QByteArray before = digest(blocked);
        GameRecord record(blocked);
        QVERIFY_THROWS_EXCEPTION(RecordError, record.open());
        QCOMPARE(digest(blocked), before);
    }

    void aRecordDeletedMidSeriesIsWrittenAgainWhole_data()
    {
        QTest::addColumn<QStringList>("deleted");
        QTest::addColumn<bool>("replaced"); // another file put in its place
        const QStringList all{QString(), u"-wal"_s, u"-shm"_s};
        QTest::newRow("tirages.db, -wal et -shm") << all << false;
        QTest::newRow("-wal") << QStringList{u"-wal"_s} << false;
        QTest::newRow("un autre fichier à sa place") << all << true;
    }

    void aRecordDeletedMidSeriesIsWrittenAgainWhole()
    {
        QFETCH(QStringList, deleted);
        QFETCH(bool, replaced);
        const QByteArray other = "les comptes du club\n";
        auto series = std::make_unique<DrawSeries>(path(), m_clock);
        QSignalSpy rewritten(series.get(), &DrawSeries::recordRewritten);
        QSignalSpy failures(series.get(), &DrawSeries::recordFailed);
        series->chooseFile(Noel);
        for (int n : {12, 90, 7, 45})
            series->draw(n, DrawMethod::Hand);
        series->validateWin(42, Phase::Quine, 4, 45);
        // The list of the series reads the record meanwhile, and is closed after.
        auto reader = std::make_unique<GameRecord>(path());
        reader->open();
        for (const QString& suffix : std::as_const(deleted))
            QVERIFY(QFile::remove(path() + suffix));
        if (replaced) {
            QFile file(path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(other);
        }
        for (int n : {3, 61, 28, 5})
            series->draw(n, DrawMethod::Hand);
        reader.reset();
        const qint64 id = series->recordId();
        QCOMPARE(series->isUnrecorded(), replaced);
        QCOMPARE(failures.size(), replaced ? 1 : 0);
        QCOMPARE(rewritten.size(), replaced ? 0 : 1);
        if (replaced) {
            QVERIFY2(failures[0][0].toString().contains(
                         u"n'a pas pu être écrit : un autre fichier a été mis à sa place"_s),
                     qPrintable(failures[0][0].toString()));
            series.reset();
            QCOMPARE(digest(path()), QCryptographicHash::hash(other, QCryptographicHash::Sha256));
            return;
        }
        QCOMPARE(rewritten[0][0].toString(),
                 u"Le registre des tirages\n"_s + QDir::toNativeSeparators(path()) +
                     u"\na été supprimé, en tout ou en partie, pendant le tirage.\n\n"
                     "Il a été écrit de nouveau à sa place, avec tout ce qu'il contenait et le "
                     "tirage en cours : le tirage continue, enregistré."_s);
        // Read by another connection, as the next start finds it after a crash.
        const RecordedSeries kept = GameRecord(path()).series(id);
        QCOMPARE(kept.file, Noel);
        QCOMPARE(kept.link.game, 1);
        QCOMPARE(kept.link.evening, id);
        QVERIFY(kept.programme);
        QCOMPARE(kept.sequence(), QList<int>({12, 90, 7, 45, 3, 61, 28, 5}));
        QCOMPARE(kept.wins.size(), 1);
        QCOMPARE(kept.wins[0].grid, 42);
    }

    void anEmptyFileLeftByACutFirstStartIsMadeARecord()
    {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        DrawSeries series(path(), m_clock);
        QSignalSpy failures(&series, &DrawSeries::recordFailed);
        series.draw(1, DrawMethod::Hand);
        QCOMPARE(failures.size(), 0);
        QCOMPARE(GameRecord(path()).interruptedSeries()->sequence(), QList<int>({1}));
    }

    // A first-version series started at 20:00 local time, without a zone; then
    // the laptop's zone moves two hours east. Every time is compared and shown
    // as the moment it was, whatever zone its text was written in.
    void timesAreComparedAndShownAsMomentsAcrossZones()
    {
        const QDateTime old(QDate(2026, 12, 24), QTime(20, 0));
        const int local = old.offsetFromUtc();
        const QDateTime since = old.addSecs(-30 * 60).toOffsetFromUtc(local + 3600);
        const QDateTime east = since.addSecs(-20 * 60).toOffsetFromUtc(local + 7200);
        qint64 first = 0, second = 0;
        {
            GameRecord record(path());
            first = record.startSeries(Noel, old, {0, 0, 1});
            second = record.startSeries(Noel, east, {first, first, 2});
        }
        {
            SQLite::Database db(path().toStdString(), SQLite::OPEN_READWRITE);
            db.exec("UPDATE series SET started_at = '2026-12-24T20:00:00' WHERE id = 1");
            QCOMPARE(QString::fromStdString(
                         db.execAndGet("SELECT started_at FROM series WHERE id = 2").getString()),
                     east.toString(Qt::ISODate)); // with its offset
        }
        GameRecord record(path());
        // By its text the second series began after `since`, and the first before.
        const auto trace = record.lastEvening(Noel, since);
        QVERIFY(trace);
        QCOMPARE(trace->lastSeries, first);
        QCOMPARE(record.series(first).started, old);
        const QDateTime shown = record.series(second).started;
        QCOMPARE(shown, east);
        QCOMPARE(shown.timeSpec(), Qt::LocalTime);
        QCOMPARE(record.summaries()[0].started.toString(u"hh:mm"_s),
                 east.toLocalTime().toString(u"hh:mm"_s));
    }

    void aHandEditedRecordCannotPutImpossibleNumbersOut()
    {
        {
            DrawSeries series(path(), m_clock);
            series.draw(8, DrawMethod::Hand);
        }
        {
            SQLite::Database db(path().toStdString(), SQLite::OPEN_READWRITE);
            db.exec("INSERT INTO events (series_id, at, kind, position, value) VALUES "
                    "(1, 'x', 'numero', 2, 91), (1, 'x', 'numero', 3, 8), "
                    "(1, 'x', 'numero', 4, -4), (1, 'x', 'numero', 5, 9)");
        }
        const std::optional<RecordedSeries> open = GameRecord(path()).interruptedSeries();
        QCOMPARE(open->sequence(), QList<int>({8, 9}));
        DrawSeries resumed(QString(), m_clock);
        resumed.resume(*open, true);
        QCOMPARE(resumed.state().count(), 2);
    }

    void aKilledDrawResumesIdentical_data()
    {
        QTest::addColumn<QStringList>("deleted"); // after the fifth number
        QTest::newRow("intact") << QStringList();
        QTest::newRow("tirages.db, -wal et -shm supprimés")
            << QStringList{QString(), u"-wal"_s, u"-shm"_s};
        QTest::newRow("-wal supprimé") << QStringList{u"-wal"_s};
    }

    void aKilledDrawResumesIdentical()
    {
        QFETCH(QStringList, deleted);
        QProcess child;
        child.start(QString::fromUtf8(RECORD_CHILD), {path(), u"5"_s});
        QVERIFY(child.waitForStarted());
        QList<int> shown;
        int rewritten = 0;
        const auto read = [&](const QByteArray& line) {
            if (line.startsWith('+'))
                shown.append(line.mid(1).toInt());
            else if (line == "!")
                ++rewritten;
        };
        while (shown.size() < 30 && child.waitForReadyRead(10000)) {
            while (child.canReadLine()) {
                const QByteArray line = child.readLine().trimmed();
                if (line.startsWith('-') && shown.last() == line.mid(1).toInt())
                    shown.removeLast();
                if (line == "?") {
                    // A user tidying the folder while the draw goes on.
                    for (const QString& suffix : std::as_const(deleted))
                        QVERIFY(QFile::remove(path() + suffix));
                    child.write("\n");
                }
                read(line);
            }
        }
        // Mid-series, at whatever point it has reached: the power goes.
        child.kill(); // SIGKILL: no handler, no flush, no clean close
        QVERIFY(child.waitForFinished());
        // Only whole lines count: the kill may cut the last one in the middle.
        QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        lines.removeLast();
        for (const QByteArray& line : lines)
            read(line);
        QVERIFY(shown.size() >= 30);
        QCOMPARE(rewritten, deleted.isEmpty() ? 0 : 1);

        const std::optional<RecordedSeries> open = GameRecord(path()).interruptedSeries();
        QVERIFY(open);
        const QList<int> recorded = open->sequence();
        // Every number shown is there; at most one more, written but never shown.
        QVERIFY2(recorded.size() == shown.size() || recorded.size() == shown.size() + 1,
                 qPrintable(u"%1 recorded, %2 shown"_s.arg(recorded.size()).arg(shown.size())));
        QCOMPARE(recorded.mid(0, shown.size()), shown);

        DrawSeries resumed(path(), m_clock);
        resumed.resume(*open, true);
        QCOMPARE(resumed.state().sequence(), recorded);
        QCOMPARE(resumed.state().lastFive()[0], QString::number(recorded.last()));
        QCOMPARE(resumed.state().lastFive()[4], QString::number(recorded[recorded.size() - 5]));
        // And the series goes on in the same record.
        int next = 1;
        while (recorded.contains(next))
            ++next;
        resumed.draw(next, DrawMethod::Hand);
        QCOMPARE(GameRecord(path()).series(open->id).sequence().size(), recorded.size() + 1);
    }
};

QTEST_GUILESS_MAIN(TestGameRecord)
#include "test_gamerecord.moc"
