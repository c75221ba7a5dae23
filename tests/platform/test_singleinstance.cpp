#include "platform/param.h"
#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    // The user's data folder for this test and every copy it starts.
    QTemporaryDir m_home;
    static QProcessEnvironment offscreen()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        return env;
    }

    // Runs the stand-in second copy; returns its exit code and output.
    static QPair<int, QString> secondCopy()
    {
        QProcess probe;
        probe.start(QString::fromUtf8(INSTANCE_PROBE), {});
        probe.waitForFinished(30000);
        return {probe.exitCode(), QString::fromUtf8(probe.readAllStandardOutput())};
    }

    static qint64 lockOwner(const QString& lockPath)
    {
        QFile lock(lockPath);
        if (!lock.open(QIODevice::ReadOnly))
            return -1;
        return lock.readLine().trimmed().toLongLong();
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.path()));
        QCoreApplication::setApplicationName(Product::name());
    }

    // The program installed in a folder of its own, the second copy in another.
    void aSecondCopyIsRefusedAndACrashedCopyDoesNotLockUsOut()
    {
        QTemporaryDir install;
        const QString program = install.filePath(u"numerella"_s);
        QVERIFY(QFile::copy(QString::fromUtf8(NUMERELLA_PROGRAM), program));
        QProcess first;
        first.setProcessEnvironment(offscreen());
        first.start(program, {});
        QVERIFY(first.waitForStarted());

        // Wait, without touching the lock, until the program holds it.
        const QString lockPath =
            SingleInstance(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                .lockPath();
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(lockPath), first.processId(), 30000);

        QPair<int, QString> second = secondCopy();
        QCOMPARE(second.first, 3);
        QCOMPARE(second.second,
                 u"L'application est déjà en mémoire !!\n\nUtiliser la barre des taches"_s);
        QCOMPARE(first.state(), QProcess::Running); // the first copy is undisturbed

        // A copy that dies without cleaning up leaves its lock behind...
        first.kill();
        QVERIFY(first.waitForFinished());
        // ...which the next start takes over.
        second = secondCopy();
        QCOMPARE(second.first, 0);
        QCOMPARE(second.second, u"LOCKED"_s);
    }

    void onlyALiveCopyRefusesAStart_data()
    {
        QTest::addColumn<QString>("inTheWay");
        QTest::newRow("a folder") << u"folder"_s;
        QTest::newRow("a folder with files") << u"full folder"_s;
        QTest::newRow("a file that is no lock") << u"junk"_s;
        QTest::newRow("a pipe") << u"pipe"_s; // reading it would wait for ever
    }

    void onlyALiveCopyRefusesAStart()
    {
        QFETCH(QString, inTheWay);
        const QTemporaryDir folder;
        const QString path = SingleInstance(folder.path()).lockPath();
        if (inTheWay == u"pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (inTheWay == u"junk") {
            QFile junk(path);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write("pas un verrou\n");
        } else {
            QVERIFY(QDir().mkpath(path));
            if (inTheWay == u"full folder")
                QVERIFY(QFile(path + u"/notes.txt"_s).open(QIODevice::WriteOnly));
        }
        {
            SingleInstance first(folder.path());
            QVERIFY(first.acquire());
            SingleInstance second(folder.path()); // a live copy holds it now
            QVERIFY(!second.acquire());
        }
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
