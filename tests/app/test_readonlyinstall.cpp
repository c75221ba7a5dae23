// The program installed by an administrator and run by an organiser who may
// not write beside it: what works, and what is refused plainly. Run as root,
// this test gives root's rights up first, so the permissions bite.
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "fakes/unprivileged.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"

#include <QComboBox>
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
