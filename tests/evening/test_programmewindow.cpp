#include "evening/programmewindow.h"
#include "fakes/fakeservices.h"
#include "fakes/testpaths.h"
#include "grids/gridfilebuilder.h"
#include "platform/atomicfile.h"
#include "platform/param.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {
const QString FileName = u"100-25-12-2000.DAT"_s;
}

// The organiser prepares the evening's games; what cannot be played is refused.
class TestProgrammeWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_appDir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<ProgrammeStore> m_store;
    std::unique_ptr<ProgrammeWindow> m_window;

    QTableWidgetItem* cell(int row, Phase phase)
    {
        return m_window->table()->item(row, 1 + int(phase));
    }
    ScriptedMessages& messages() { return m_fakes->messages; }
    void open()
    {
        m_window = std::make_unique<ProgrammeWindow>(m_fakes->services, *m_store, Param::AppPath());
    }

private slots:
    void initTestCase()
    {
        QFile::copy(TestPaths::built(u"Loto1.dat"_s), m_appDir.filePath(u"Loto1.dat"_s));
        QDir(m_appDir.path()).mkpath(u"GRILLES"_s);
        Param::setGlobals(
            AppGlobals::compose(m_appDir.filePath(u"numerella"_s), QDateTime::currentDateTime()));
        m_fakes = std::make_unique<FakeServices>();
        GridFileBuilder(Param::AppPath(), m_fakes->random, m_fakes->clock)
            .build(100, m_appDir.filePath(u"GRILLES/"_s + FileName), {});
        m_store = std::make_unique<ProgrammeStore>(m_appDir.filePath(u"programmes"_s));
    }

    void init()
    {
        QDir(m_appDir.filePath(u"programmes"_s)).removeRecursively();
        messages().shown.clear();
        open();
    }

    void theEveningIsPreparedAndKept()
    {
        QCOMPARE(m_window->windowTitle(), u"Programme de la soirée"_s);
        QCOMPARE(m_window->fileList()->currentText(), u"Tirage du 25-12-2000 - 100 grilles"_s);
        QCOMPARE(m_window->table()->rowCount(), 1); // one game, three phases, no prize
        for (Phase p : AllPhases)
            QCOMPARE(cell(0, p)->checkState(), Qt::Checked);

        cell(0, Phase::CartonPlein)->setText(u"Un panier garni"_s);
        m_window->button(u"Ajouter"_s)->click();
        m_window->button(u"Ajouter"_s)->click();
        cell(2, Phase::Quine)->setCheckState(Qt::Unchecked);
        cell(2, Phase::DoubleQuine)->setCheckState(Qt::Unchecked);
        cell(2, Phase::CartonPlein)->setText(u"Un vélo"_s);
        m_window->button(u"Monter"_s)->click(); // the bicycle game becomes the second
        m_window->table()->setCurrentCell(0, 1);
        m_window->button(u"Supprimer"_s)->click();
        QCOMPARE(m_window->table()->item(0, 0)->text(), u"Partie 1"_s);
        // Grids the file does not hold cannot be sold.
        m_window->soldField()->setText(u"61-80, 1-135"_s);
        m_window->button(u"Enregistrer"_s)->click();
        QVERIFY(messages().last().text.startsWith(u"Le fichier de grilles ne compte que 100"_s));
        messages().shown.clear();
        m_window->soldField()->setText(u"61-80, 1-35"_s);
        m_window->button(u"Enregistrer"_s)->click();
        QVERIFY(messages().shown.isEmpty());

        Programme expected;
        expected.games = {{{{Phase::CartonPlein, u"Un vélo"_s}}}, Programme::standard().games[0]};
        expected.sold = *SoldGrids::parse(u"1-35, 61-80"_s);
        QCOMPARE(m_store->load(FileName).programme, expected);
        open();
        QCOMPARE(m_window->table()->rowCount(), 2);
        QCOMPARE(cell(0, Phase::CartonPlein)->text(), u"Un vélo"_s);
        QCOMPARE(m_window->soldField()->text(), u"1-35, 61-80"_s);
        QVERIFY(!m_window->button(u"Monter"_s)->isEnabled()); // on the first game

        // Leaving with a change not saved asks first; Oui keeps it.
        cell(1, Phase::Quine)->setText(u"Un jambon"_s);
        messages().answer(MsgAnswer::Yes);
        m_window->reject();
        QCOMPARE(messages().last().text, u"Le programme a été modifié sans être enregistré.\n\n"
                                         "Voulez-vous l'enregistrer ?"_s);
        QCOMPARE(m_store->load(FileName).programme.games[1].phases[0].prize, u"Un jambon"_s);
        messages().shown.clear();
        open();
        m_window->reject(); // nothing changed: no question
        QVERIFY(messages().shown.isEmpty());
    }

    void whatCannotBePlayedIsRefused_data()
    {
        QTest::addColumn<QString>("sold");
        QTest::addColumn<int>("uncheck"); // phases of game 1 left unchecked
        QTest::addColumn<QString>("prize");
        QTest::addColumn<QString>("said");
        QTest::newRow("empty game") << QString() << 3 << QString()
                                    << u"La partie 1 n'a aucune phase : cochez au moins Quine, "
                                       "Double quine ou Carton plein."_s;
        QTest::newRow("long prize") << QString() << 0 << QString(500, u'x')
                                    << u"La partie 1 : le lot « Quine » dépasse 200 caractères "
                                       "(il en compte 500)."_s;
        QTest::newRow("prize of a phase not played")
            << QString() << 1 << u"Un jambon"_s
            << u"La partie 1 a un lot pour la phase « Quine », qui n'est pas cochée."_s;
        // Longer than a list may be: refused whole, never cut to what fits.
        QTest::newRow("sold list too long")
            << u"1, "_s.repeated(700) + u"100"_s << 0 << QString()
            << u"La liste des grilles vendues compte 2103 caractères : elle ne peut pas en "
               "dépasser 2000.\nRegroupez les grilles qui se suivent en plages, comme 1-350."_s;
        QTest::newRow("sold backwards")
            << u"350-1"_s << 0 << QString()
            << u"La plage « 350-1 » va à l'envers : écrivez le plus petit numéro en premier."_s;
    }

    void whatCannotBePlayedIsRefused()
    {
        QFETCH(QString, sold);
        QFETCH(int, uncheck);
        QFETCH(QString, prize);
        QFETCH(QString, said);
        for (int p = 0; p < uncheck; ++p)
            cell(0, AllPhases[p])->setCheckState(Qt::Unchecked);
        cell(0, Phase::Quine)->setText(prize);
        m_window->soldField()->setText(sold);
        QVERIFY(!m_window->save());
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last().text, said);
        QCOMPARE(messages().last().title, Param::AppTitle());
        QVERIFY(!QFile::exists(m_store->pathFor(FileName)));
    }

    void aDamagedProgrammeIsSaidAndReplacedOnlyWhenSaved()
    {
        QDir().mkpath(m_appDir.filePath(u"programmes"_s));
        QFile damaged(m_store->pathFor(FileName));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("{ pas du tout du JSON");
        damaged.close();
        open();
        QCOMPARE(messages().shown.size(), 1);
        QVERIFY(messages().last().text.contains(u"son contenu est abîmé."_s));
        QCOMPARE(m_window->table()->rowCount(), 1);
        QVERIFY(m_window->save());
        QCOMPARE(m_store->load(FileName).programme, Programme::standard());

        // A folder in the file's place: the save is refused, and said.
        QFile::remove(m_store->pathFor(FileName));
        QDir().mkpath(m_store->pathFor(FileName));
        messages().shown.clear();
        QVERIFY(!m_window->save());
        QCOMPARE(messages().last().icon, MsgIcon::Critical);
        QVERIFY(
            messages().last().text.startsWith(u"Le programme n'a pas pu être enregistré :\n"_s));
    }

    // A disk full half way through: the programme saved before stays whole.
    void aProgrammeThatCannotBeWrittenLeavesTheOneSaved()
    {
        QVERIFY(m_window->save());
        const QString path = m_store->pathFor(FileName);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray before = saved.readAll();
        saved.close();
        cell(0, Phase::Quine)->setText(u"Un jambon"_s);
        AtomicFile::injectWriteFault(10, ENOSPC);
        const bool written = m_window->save();
        AtomicFile::injectWriteFault(0, 0);
        QVERIFY(!written);
        QCOMPARE(messages().last().icon, MsgIcon::Critical);
        QCOMPARE(messages().last().text, u"Le programme n'a pas pu être enregistré :\n"_s +
                                             QDir::toNativeSeparators(path) + u"\ndisque plein"_s);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), before);
        QCOMPARE(QDir(m_appDir.filePath(u"programmes"_s)).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(path).fileName()});
    }
};

QTEST_MAIN(TestProgrammeWindow)
#include "test_programmewindow.moc"
