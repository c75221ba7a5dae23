#include "app/param.h"
#include "app/singleinstance.h"

#include <QFile>

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
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
        probe.start(QString::fromUtf8(INSTANCE_PROBE), {QString::fromUtf8(NUMERELLA_PROGRAM)});
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
    void aSecondCopyIsRefusedAndACrashedCopyDoesNotLockUsOut()
    {
        QProcess first;
        first.setProcessEnvironment(offscreen());
        first.start(QString::fromUtf8(NUMERELLA_PROGRAM), {});
        QVERIFY(first.waitForStarted());

        // Wait, without touching the lock, until the program holds it.
        const QString program = QString::fromUtf8(NUMERELLA_PROGRAM);
        const QString lockPath =
            SingleInstance(AppGlobals::compose(program, QDateTime()).AppPath).lockPath();
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
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
