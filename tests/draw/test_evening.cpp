#include "draw/drawgridfile.h"
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/testpaths.h"
#include "game/phasecheck.h"
#include "game/programmestore.h"
#include "grids/gridfilebuilder.h"
#include "platform/param.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const QString Title = u"Tirage du 25-12-2000 - 100 grilles"_s;
const QString FileName = u"100-25-12-2000.DAT"_s;
} // namespace

// The draw screen follows the evening's programme, and shows the operator
// the possible winners among the grids sold.
class TestEvening : public QObject
{
    Q_OBJECT

    QTemporaryDir m_appDir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Tirage> m_screen;
    RecordingSound m_sound;

    QLabel* label(const QString& name) { return m_screen->findChild<QLabel*>(name); }

    void chooseFile()
    {
        m_screen->barre()->button(u"ChoixFichier"_s)->click();
        auto* list = m_screen->findChild<QComboBox*>(u"ListeDesFichiers"_s);
        const int index = list->findText(Title);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

private slots:
    void initTestCase()
    {
        QFile::copy(TestPaths::built(u"Loto1.dat"_s), m_appDir.filePath(u"Loto1.dat"_s));
        QDir(m_appDir.path()).mkpath(u"GRILLES"_s);
        AppGlobals globals =
            AppGlobals::compose(m_appDir.filePath(u"numerella"_s), QDateTime::currentDateTime());
        globals.ProgrammeFolder = m_appDir.filePath(u"programmes"_s);
        Param::setGlobals(globals);
        Param::setSoundOutput(&m_sound);
        m_fakes = std::make_unique<FakeServices>();
        GridFileBuilder(Param::AppPath(), m_fakes->random, m_fakes->clock)
            .build(100, m_appDir.filePath(u"GRILLES/"_s + FileName), {});
    }

    void cleanupTestCase() { Param::setSoundOutput(nullptr); }

    void init()
    {
        m_screen = std::make_unique<Tirage>(m_fakes->services);
        m_screen->resize(1024, 740);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

    void theProgrammeAndThePossibleWinnersFollowTheDraw()
    {
        Programme programme = Programme::standard();
        programme.games[0].phases[0].prize = u"Un jambon"_s;
        programme.sold = *SoldGrids::parse(u"1-50"_s);
        QVERIFY(ProgrammeStore(Param::ProgrammeFolder()).save(FileName, programme).isEmpty());
        QVERIFY(label(u"Partie"_s)->text().isEmpty());
        chooseFile();
        QCOMPARE(label(u"Partie"_s)->text(), u"Partie 1 - Quine - Un jambon"_s);
        QCOMPARE(label(u"Partie"_s)->accessibleName(), u"Partie 1 - Quine - Un jambon"_s);

        // The count, against each sold grid measured the slow way.
        QList<QPair<int, Grid>> grids;
        DrawGridFile::choose(Param::AppPath(), Title, &grids);
        DrawSeries& series = m_screen->series();
        for (int n = 1; n <= 90; n += 2) {
            series.draw(n, DrawMethod::Hand);
            QList<int> expected;
            for (const auto& [number, grid] : grids)
                if (number <= 50 && checkPhase(grid, series.state().sequence(), Phase::Quine).wins)
                    expected.append(number);
            QCOMPARE(series.possibleWinnerGrids(), expected);
            const QString text = label(u"GagnantsPossibles"_s)->text();
            QCOMPARE(text, u"Gagnants possibles : %1 grille%2"_s.arg(expected.size())
                               .arg(expected.size() == 1 ? QString() : u"s"_s));
        }
        QVERIFY(!label(u"GagnantsPossibles"_s)->toolTip().isEmpty());
        QVERIFY(label(u"GagnantsPossibles"_s)->toolTip().startsWith(u"000"_s));
    }
};

QTEST_MAIN(TestEvening)
#include "test_evening.moc"
