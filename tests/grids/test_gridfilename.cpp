#include "grids/gridfilename.h"
#include "grids/gridfolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestGridFileName : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("date");
        QTest::newRow("five digits") << u"10000-02-02-2000.DAT"_s << 10000 << u"02-02-2000"_s;
        QTest::newRow("shortest") << u"4-01-01-2001.DAT"_s << 4 << u"01-01-2001"_s;
        QTest::newRow("lower case") << u"48-24-12-2000.dat"_s << 48 << u"24-12-2000"_s;
        QTest::newRow("count like a day") << u"12-05-03-2000.DAT"_s << 12 << u"05-03-2000"_s;
        QTest::newRow("scratch file") << u"Verif.dat"_s << 0 << QString();
        QTest::newRow("line scratch") << u"VerifL1.dat"_s << 0 << QString();
        QTest::newRow("no count") << u"-01-01-2001.DAT"_s << 0 << QString();
        QTest::newRow("leading zero") << u"04-01-01-2001.DAT"_s << 0 << QString();
        QTest::newRow("six digits") << u"100000-01-01-2001.DAT"_s << 0 << QString();
        QTest::newRow("letters") << u"ab-01-01-2001.DAT"_s << 0 << QString();
        QTest::newRow("other extension") << u"4-01-01-2001.LDB"_s << 0 << QString();
        QTest::newRow("journal") << u"4-01-01-2001.DAT-journal"_s << 0 << QString();
        // Found by fuzzing: "$" also matched before a final line feed.
        QTest::newRow("trailing line feed") << u"4-01-01-2001.dat\n"_s << 0 << QString();
    }

    void parse()
    {
        QFETCH(QString, name);
        QFETCH(int, count);
        QFETCH(QString, date);
        const std::optional<GridFileName> parsed = GridFileName::parse(name);
        QCOMPARE(parsed.has_value(), count != 0);
        if (parsed) {
            QCOMPARE(parsed->count, count);
            QCOMPARE(parsed->date, date);
            QCOMPARE(drawTitle(*parsed),
                     u"Tirage du "_s + date + u" - "_s + QString::number(count) + u" grilles"_s);
        }
    }

    void namesAreBuiltFromTheTypedDate()
    {
        QCOMPARE(GridFileName::forDraw(100, u"25/12/2000"_s).fileName(), u"100-25-12-2000.DAT"_s);
        QCOMPARE(GridFileName::forDraw(4, u"05/03/2001"_s).fileName(), u"4-05-03-2001.DAT"_s);
    }

    void listingKeepsOnlyGridFilesNewestDrawFirst()
    {
        QTemporaryDir app;
        QVERIFY(QDir(app.path()).mkdir(u"GRILLES"_s));
        const QDir dir(app.filePath(u"GRILLES"_s));
        for (const QString& name :
             {u"4-01-01-2001.DAT"_s, u"100-25-12-2000.DAT"_s, u"Verif.dat"_s,
              u"20-01-01-2001.dat"_s, u"notes.txt"_s, u"~creation-12.tmp"_s, u"12-03-03-2031.dat"_s,
              u"12-03-03-2031.DAT"_s, u"10000-24-12-2000.DAT"_s})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir(u"8-01-01-2001.DAT"_s)); // a folder is no grid file
        // By date, newest first, then by count; one entry for the twins by case.
        const QString appPath = app.path() + u'/';
        QCOMPARE(GridFolder::list(appPath),
                 QStringList({u"12-03-03-2031.DAT"_s, u"4-01-01-2001.DAT"_s, u"20-01-01-2001.dat"_s,
                              u"100-25-12-2000.DAT"_s, u"10000-24-12-2000.DAT"_s}));
        QVERIFY(GridFolder::list(dir.path() + u'/').isEmpty()); // no GRILLES in there

        // Whatever the case asked for, the file listed is the file read.
        const QString listed = dir.filePath(u"12-03-03-2031.DAT"_s);
        QCOMPARE(GridFolder::resolve(appPath, u"12-03-03-2031.dat"_s), listed);
        QCOMPARE(GridFolder::variants(appPath, u"12-03-03-2031.DAT"_s),
                 QStringList({listed, dir.filePath(u"12-03-03-2031.dat"_s)}));
        QCOMPARE(GridFolder::resolve(appPath, u"20-01-01-2001.DAT"_s),
                 dir.filePath(u"20-01-01-2001.dat"_s));
        QVERIFY(GridFolder::variants(appPath, u"8-01-01-2001.DAT"_s).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGridFileName)
#include "test_gridfilename.moc"
