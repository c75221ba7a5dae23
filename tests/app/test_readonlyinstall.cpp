// The program installed by an administrator and run by an organiser who may
// not write beside it: what works, and what is refused plainly. Run as root,
// this test gives root's rights up first, so the permissions bite.
#include "draw/drawstate.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "fakes/unprivileged.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"
#include "verify/gridverifier.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Name = u"8-01-01-2001.DAT"_s;

const QFileDevice::Permissions ReadOnly =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup;
const QFileDevice::Permissions ReadWrite = ReadOnly | QFileDevice::WriteOwner;
} // namespace

class TestReadOnlyInstall : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<FakeServices> m_fakes;

    QString placed() const { return m_app->gridPath(Name); }

    void buildPlaced()
    {
        GridFolder::make(m_app->appPath());
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(8, placed(), {});
    }

private slots:
    void initTestCase() { QVERIFY(::geteuid() != 0); }

    void init()
    {
        m_app = std::make_unique<AppFolder>();
        m_app->makeCurrent();
        m_fakes = std::make_unique<FakeServices>();
    }

    void cleanup()
    {
        QFile::setPermissions(m_app->appPath(), ReadWrite);
        if (QFileInfo(m_app->grilles()).isDir())
            QFile::setPermissions(m_app->grilles(), ReadWrite);
        m_fakes.reset();
        m_app.reset();
    }

    void checksWorkInAGrillesFolderWeCannotWrite()
    {
        buildPlaced();
        QFile::setPermissions(m_app->grilles(), ReadOnly);
        const QString title = u"Tirage du 01-01-2001 - 8 grilles"_s;
        GridVerifier verifier(m_fakes->services, nullptr, m_app->appPath());
        m_fakes->input.answers << u"3"_s << u"3"_s;
        const VerificationOutcome grid = verifier.ProcVerifGrille(title, DrawState());
        const VerificationOutcome line = verifier.ProcVerifLigne(title, DrawState());
        QCOMPARE(grid.text, u"La grille numéro 00003 n'est pas gagnante !!\n\n"
                            "Il n'y a aucun numéro correspondant !!"_s);
        QCOMPARE(line.text, u"Aucune ligne de la grille numéro 00003 n'est gagnante !!"_s);
        QCOMPARE(m_app->grillesEntries(), QStringList{Name});
    }

    void anInterruptedWriteWeCannotRepairIsExplained()
    {
        GridFolder::make(m_app->appPath());
        const QString made = m_app->gridPath(u"2000-01-01-2001.DAT"_s);
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(2000, made, {});
        {
            SQLite::Database db(made.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("PRAGMA cache_size = 2; BEGIN; UPDATE TIRAGE SET NUMERO1 = 99;");
            QVERIFY(QFile::copy(made, placed()));
            QVERIFY(QFile::copy(made + u"-journal"_s, placed() + u"-journal"_s));
            db.exec("ROLLBACK");
        }
        QFile::remove(made);
        QFile::setPermissions(placed(), QFileDevice::ReadOwner);
        QFile::setPermissions(m_app->grilles(), ReadOnly);
        try {
            GridFile file(placed(), GridFile::Access::ReadOnly);
            QFAIL("a file needing repair was read as it was");
        } catch (const GridFileError& e) {
            QVERIFY2(e.message().contains(u"a été interrompu pendant une écriture"_s),
                     qPrintable(e.message()));
        }
        QVERIFY(QFileInfo::exists(placed() + u"-journal"_s)); // kept for a later repair
    }

    void aProgramFolderWeCannotWriteIsNamed()
    {
        QFile::setPermissions(m_app->appPath(), ReadOnly);
        try {
            GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock)
                .build(4, m_app->gridPath(u"4-01-01-2001.DAT"_s), {});
            QFAIL("a read-only program folder was accepted");
        } catch (const GridFileError& e) {
            QVERIFY(e.message().contains(u"vous n'avez pas le droit d'y écrire"_s));
        }
    }
};

NUMERELLA_UNPRIVILEGED_MAIN(TestReadOnlyInstall)
#include "test_readonlyinstall.moc"
