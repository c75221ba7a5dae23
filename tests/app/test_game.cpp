// The typical game, through the real windows: make 100 grids for Christmas
// 2000, print them, run the draw until grid 42 has a full row, check it.
#include "app/depart.h"
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/generateur.h"
#include "grids/gridfile.h"
#include "platform/param.h"
#include "printing/edition.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
// The real generator, except for the numbers a test wants drawn next.
class ForcingRandom : public RandomSource
{
public:
    void stir(quint64 noise) override { m_inner.stir(noise); }
    double next() override
    {
        return forced.isEmpty() ? m_inner.next() : (forced.dequeue() - 0.5) / 90;
    }
    QQueue<int> forced;

private:
    SeededRandom m_inner{251200};
};
} // namespace

class TestGame : public QObject
{
    Q_OBJECT

private:
    AppFolder m_app;
    FakeServices m_fakes;
    ForcingRandom m_random;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Depart> m_depart;

    void press(const QString& key)
    {
        for (QAction* action : m_depart->barreBoutons()->actions())
            if (action->data().toString() == key)
                action->trigger();
    }
    template <typename Screen> Screen* screen()
    {
        auto* open = qobject_cast<Screen*>(m_depart->activeScreen());
        return open && QTest::qWaitForWindowExposed(open) ? open : nullptr;
    }
    QLabel* label(QWidget* in, const QString& name) { return in->findChild<QLabel*>(name); }

private slots:
    void initTestCase()
    {
        m_app.makeCurrent();
        const QString bin = QString::fromStdString(TestPaths::builtDir);
        QFile::copy(bin + u"/LOTO2.DAT"_s, m_app.appPath() + u"LOTO2.DAT"_s);
        QFile::copy(bin + u"/Loto.hlp"_s, m_app.appPath() + u"Loto.hlp"_s);
        m_services = std::make_unique<Services>(Services{
            m_fakes.messages, m_fakes.input, m_fakes.clock, m_random, m_fakes.help, m_fakes.shell,
            m_fakes.screen, m_fakes.printer, m_fakes.saveDialog, m_fakes.sound});
        m_depart = std::make_unique<Depart>(*m_services);
        m_depart->resize(1024, 740);
        m_depart->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_depart.get()));
    }

    void cleanupTestCase() { QFile::remove(m_fakes.printer.path()); }

    void makeTheGrids()
    {
        press(u"Generateur"_s);
        Generateur* generator = screen<Generateur>();
        QVERIFY(generator);
        QVERIFY(!m_depart->grilles()->isVisible());
        auto* count = generator->findChild<QLineEdit*>(u"SaisieNombre"_s);
        auto* date = generator->findChild<QLineEdit*>(u"SaisieDate"_s);
        QTest::keyClicks(count, u"100"_s);
        QTest::keyClick(count, Qt::Key_Return);
        QTest::keyClicks(date, u"25/12/2000"_s);
        QTest::keyClick(date, Qt::Key_Return);
        m_fakes.messages.answer(MsgAnswer::Yes);
        QTest::keyClick(generator->findChild<QPushButton*>(u"Lancer"_s), Qt::Key_Return);
        QCOMPARE(m_fakes.messages.last().text,
                 u"Confirmez vous la création d'un fichier de :\n100 grilles\n"
                 "pour le tirage du Loto du : 25/12/2000"_s);
        QVERIFY(count->text().isEmpty() && date->text().isEmpty());
        GridFile file(m_app.gridPath(u"100-25-12-2000.DAT"_s), GridFile::Access::ReadOnly);
        QCOMPARE(file.sheetCount(), 25);
        generator->findChild<QPushButton*>(u"Quitter"_s)->click();
        QTRY_VERIFY(!m_depart->activeScreen());
        QVERIFY(m_depart->grilles()->isVisible());
    }

    void printThem()
    {
        press(u"Impression"_s);
        Edition* printing = screen<Edition>();
        QVERIFY(printing);
        auto* list = printing->findChild<QComboBox*>(u"ListeDesFichiers"_s);
        QVERIFY(printing->selectorText().isEmpty());
        list->setCurrentIndex(
            list->findText(u"Impression de 100 grilles pour le tirage du 25-12-2000"_s));
        printing->findChild<QPushButton*>(u"Imprimer"_s)->click();
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {m_fakes.printer.path(), u"-"_s});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY(text.contains(u"Numerella - Tirage du : 25-12-2000"_s));
        QVERIFY(text.contains(u"Grille n° 00042"_s));
        printing->findChild<QPushButton*>(u"Quitter"_s)->click();
        QTRY_VERIFY(!m_depart->activeScreen());
        QVERIFY(m_depart->grilles()->isVisible());
    }

    void drawUntilGrid42HasALine()
    {
        GridFile file(m_app.gridPath(u"100-25-12-2000.DAT"_s), GridFile::Access::ReadOnly);
        const Grid grid42 = file.readSheet(41)->grids[1];
        file.close();

        press(u"Tirage"_s);
        Tirage* draw = screen<Tirage>();
        QVERIFY(draw);
        QVERIFY(m_depart->grilles()->isVisible());
        DrawToolBar* barre = draw->barre();
        barre->button(u"ChoixFichier"_s)->click();
        auto* list = draw->findChild<QComboBox*>(u"ListeDesFichiers"_s);
        emit list->activated(list->findText(u"Tirage du 25-12-2000 - 100 grilles"_s));
        QCOMPARE(label(draw, u"Titre"_s)->text(), u"Tirage du 25-12-2000 - 100 grilles"_s);
        QVERIFY(!barre->button(u"ChoixFichier"_s)->isEnabled());

        // The second row of grid 42 comes out, one number a tick.
        QList<int> row2;
        for (int c = 1; c <= 9; ++c)
            if (grid42.at(2, c))
                row2.append(grid42.at(2, c));
        for (int n : row2)
            m_random.forced.enqueue(n);
        barre->button(u"Chrono"_s)->click();
        QVERIFY(barre->button(u"Chrono"_s)->isChecked());
        QVERIFY(!barre->button(u"Tirage"_s)->isEnabled());
        QCOMPARE(label(draw, u"AfficheTemps"_s)->text(), u"30"_s);
        for (int tick = 1; tick < row2.size(); ++tick)
            draw->Timer_Timer();
        QCOMPARE(draw->state().sequence(), row2);
        QCOMPARE(label(draw, u"Afficheur"_s)->text(), QString::number(row2.last()));
        QCOMPARE(label(draw, u"Suivi(0)"_s)->text(), QString::number(row2.last()));
        QVERIFY(label(draw, u"Resultat(%1)"_s.arg(row2.first() - 1))->isVisible());

        m_fakes.input.answers.enqueue(u"42"_s);
        barre->button(u"VerifLigne"_s)->click();
        auto* panel = draw->findChild<QWidget*>(u"ResultatGrille"_s);
        QVERIFY(panel->isVisible());
        QCOMPARE(label(panel, u"SousTitre"_s)->text(),
                 u"La ligne 2 de la grille numéro 00042 est gagnante !!"_s);
        QCOMPARE(label(panel, u"CaseGrille(10)"_s)->text(),
                 grid42.at(2, 1) ? QString::number(grid42.at(2, 1)) : QString());
        QVERIFY(!barre->isEnabled());
        QVERIFY(draw->timer().isActive()); // the timed draw goes on
        panel->findChild<QPushButton*>(u"Quitter"_s)->click();
        QVERIFY(barre->isEnabled());

        m_fakes.input.answers.enqueue(u"42"_s);
        barre->button(u"VerifGrille"_s)->click();
        // Today's verdict first, then what the full card still lacks: ten numbers.
        const QString said = m_fakes.messages.last().text;
        QVERIFY(said.startsWith(u"La grille numéro 00042 n'est pas gagnante !!\n\n"
                                "Il n'y a que 5 numéros correspondants !!\n\n"
                                "Code de contrôle : "_s));
        QVERIFY(said.contains(u"\nIl manque : "_s));
        QCOMPARE(said.section(u"Il manque : "_s, 1).split(u' ').size(), 10);
        QVERIFY(!panel->isVisible());

        m_fakes.messages.answer(MsgAnswer::Yes);
        barre->button(u"Reinitialiser"_s)->click();
        QCOMPARE(draw->state().count(), 0);
        QVERIFY(label(draw, u"Titre"_s)->text().isEmpty());
        QVERIFY(label(draw, u"Afficheur"_s)->text().isEmpty());
        QVERIFY(barre->button(u"ChoixFichier"_s)->isEnabled());
        QVERIFY(!draw->timer().isActive());

        barre->button(u"Quitter"_s)->click();
        QTRY_VERIFY(!m_depart->activeScreen());
        QVERIFY(m_depart->grilles()->isVisible());
        QCOMPARE(m_app.grillesEntries(), QStringList{u"100-25-12-2000.DAT"_s});
    }
};

QTEST_MAIN(TestGame)
#include "test_game.moc"
