// Files the program writes: whole or not at all, never through a link onto
// the grid files or the record.
#include "app/startup.h"
#include "game/programmestore.h"
#include "platform/atomicfile.h"
#include "platform/param.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {
QByteArray contents(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}
} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString at(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void cleanup()
    {
        AtomicFile::injectWriteFault(0, 0);
        AtomicFile::protect({});
    }

    void aFailedWriteLeavesTheOldFileAsItWas_data()
    {
        QTest::addColumn<bool>("hadOld");
        QTest::addColumn<qint64>("afterBytes");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("cause");
        QTest::newRow("full from the start") << true << qint64(0) << ENOSPC << u"disque plein"_s;
        QTest::newRow("full half way") << true << qint64(5) << ENOSPC << u"disque plein"_s;
        QTest::newRow("a failing disk")
            << true << qint64(5) << EIO << u"erreur de lecture ou d'écriture sur le disque"_s;
        QTest::newRow("a new name") << false << qint64(5) << ENOSPC << u"disque plein"_s;
    }

    void aFailedWriteLeavesTheOldFileAsItWas()
    {
        QFETCH(bool, hadOld);
        QFETCH(qint64, afterBytes);
        QFETCH(int, error);
        QFETCH(QString, cause);
        const QString path = at(u"reglages.txt"_s);
        if (hadOld)
            put(path, "l'ancien contenu, intact");
        AtomicFile::injectWriteFault(afterBytes, error);
        QCOMPARE(AtomicFile::save(path, QByteArray(100, 'n')), cause);
        QCOMPARE(entries(m_dir->path()), hadOld ? QStringList{u"reglages.txt"_s} : QStringList());
        if (hadOld)
            QCOMPARE(contents(path), QByteArray("l'ancien contenu, intact"));

        AtomicFile::injectWriteFault(0, 0);
        QCOMPARE(AtomicFile::save(path, "nouveau"), QString());
        QCOMPARE(contents(path), QByteArray("nouveau"));
        QCOMPARE(entries(m_dir->path()), QStringList{u"reglages.txt"_s});
    }

    // A disk really full, where the machine lets a small one be mounted.
    void aFullDiskKeepsTheSavedProgramme()
    {
        const QString disk = at(u"petit"_s);
        QVERIFY(QDir().mkpath(disk));
        if (QProcess::execute(u"mount"_s,
                              {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=16k"_s, u"tmpfs"_s, disk}) != 0)
            QSKIP("a small disk needs the right to mount one");
        const struct Unmount
        {
            QString disk;
            ~Unmount() { QProcess::execute(u"umount"_s, {disk}); }
        } unmount{disk};
        const ProgrammeStore store(disk);
        const QString grids = u"100-25-12-2000.DAT"_s;
        QCOMPARE(store.save(grids, Programme::standard()), QString());
        const QByteArray before = contents(store.pathFor(grids));
        {
            QFile filler(disk + u"/remplissage"_s);
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            for (int k = 0; k < 64 && filler.write(QByteArray(1024, 'x')) == 1024; ++k) {
            }
        }
        Programme changed = Programme::standard();
        changed.games[0].phases[0].prize = u"Un jambon"_s;
        QCOMPARE(store.save(grids, changed),
                 QDir::toNativeSeparators(store.pathFor(grids)) + u"\ndisque plein"_s);
        QCOMPARE(contents(store.pathFor(grids)), before);
        QCOMPARE(entries(disk), (QStringList{u"100-25-12-2000.json"_s, u"remplissage"_s}));
    }

    void noNameLeadsOntoTheGridsOrTheRecord_data()
    {
        QTest::addColumn<QString>("written"); // what the program writes, under the test folder
        QTest::addColumn<QString>("link");    // made first, pointing at "target"
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("refused"); // "grids" or "record"
        const QString grid = u"app/GRILLES/100-25-12-2000.DAT"_s;
        QTest::newRow("a link to a grid file")
            << u"lien.csv"_s << u"lien.csv"_s << grid << u"grids"_s;
        QTest::newRow("a link to the record")
            << u"lien.csv"_s << u"lien.csv"_s << u"data/tirages.db"_s << u"record"_s;
        QTest::newRow("a link to the record's journal")
            << u"lien.csv"_s << u"lien.csv"_s << u"data/tirages.db-wal"_s << u"record"_s;
        QTest::newRow("a linked folder leading to GRILLES")
            << u"raccourci/notes.csv"_s << u"raccourci"_s << u"app/GRILLES"_s << u"grids"_s;
        QTest::newRow("a new name in GRILLES, by a detour")
            << u"app/GRILLES/../GRILLES/notes.csv"_s << QString() << QString() << u"grids"_s;
        QTest::newRow("the record by its name")
            << u"data/tirages.db"_s << QString() << QString() << u"record"_s;
    }

    void noNameLeadsOntoTheGridsOrTheRecord()
    {
        QFETCH(QString, written);
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(QString, refused);
        AppGlobals globals = AppGlobals::compose(at(u"app/numerella"_s), QDateTime());
        globals.RecordFile = at(u"data/tirages.db"_s);
        AtomicFile::protect(protectedPlaces(globals));
        const QStringList kept{u"app/GRILLES/100-25-12-2000.DAT"_s, u"data/tirages.db"_s,
                               u"data/tirages.db-wal"_s};
        for (const QString& name : kept)
            put(at(name), name.toUtf8());
        if (!link.isEmpty())
            QVERIFY(QFile::link(at(target), at(link)));

        const QString why = AtomicFile::save(at(written), "nouveau");
        if (refused == u"grids"_s)
            QCOMPARE(why, u"ce nom mène dans le dossier des fichiers de grilles ("_s +
                              QDir::toNativeSeparators(at(u"app/GRILLES"_s)) +
                              u"), où rien d'autre ne doit être écrit"_s);
        else
            QCOMPARE(why, u"ce nom mène au registre des tirages ("_s +
                              QDir::toNativeSeparators(globals.RecordFile) +
                              u"), qui ne doit jamais être remplacé"_s);
        for (const QString& name : kept)
            QCOMPARE(contents(at(name)), name.toUtf8());
        QCOMPARE(entries(at(u"app/GRILLES"_s)), QStringList{u"100-25-12-2000.DAT"_s});
        QCOMPARE(entries(at(u"data"_s)), (QStringList{u"tirages.db"_s, u"tirages.db-wal"_s}));
        if (!link.isEmpty())
            QVERIFY(QFileInfo(at(link)).isSymLink());
        QCOMPARE(entries(m_dir->path()).filter(u".partiel"_s), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "test_atomicfile.moc"
