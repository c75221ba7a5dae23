#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "platform/param.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
// Draws the numbers it is given, in order, then anything.
class ScriptedRandom : public RandomSource
{
public:
    void stir(quint64) override {}
    double next() override { return numbers.isEmpty() ? 0.5 : (numbers.dequeue() - 0.5) / 90; }
    QQueue<int> numbers;
};
} // namespace

class TestResultPanel : public QObject
{
    Q_OBJECT

private:
    AppFolder m_app;
    FakeServices m_fakes;
    ScriptedRandom m_draws;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Tirage> m_screen;
    Grid m_grid42, m_grid7;

    QWidget* panel() { return m_screen->findChild<QWidget*>(u"ResultatGrille"_s); }
    QLabel* cell(int i) { return m_screen->findChild<QLabel*>(u"CaseGrille(%1)"_s.arg(i)); }
    QLabel* subtitle() { return panel()->findChild<QLabel*>(u"SousTitre"_s); }
    QWidget* tabs() { return m_screen->findChild<QWidget*>(u"Onglet"_s); }

    void drawNumbersOf(const Grid& grid, int onlyRow = 0)
    {
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 9; ++c)
                if (grid.at(r, c) && (!onlyRow || r == onlyRow) &&
                    !m_screen->state().isDrawn(grid.at(r, c)))
                    m_draws.numbers.enqueue(grid.at(r, c));
        while (!m_draws.numbers.isEmpty())
            m_screen->barre()->button(u"Tirage"_s)->click();
    }

    void check(const QString& key, int number)
    {
        m_fakes.input.answers.enqueue(QString::number(number));
        m_screen->barre()->button(key)->click();
    }

    bool isRed(int i)
    {
        return cell(i)->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
    }

private slots:
    void initTestCase()
    {
        m_app.makeCurrent();
        SeededRandom random(8);
        GridFileBuilder(m_app.appPath(), random, m_fakes.clock)
            .build(100, m_app.gridPath(u"100-25-12-2000.DAT"_s), {});
        GridFile file(m_app.gridPath(u"100-25-12-2000.DAT"_s), GridFile::Access::ReadOnly);
        m_grid42 = file.readSheet(41)->grids[1];
        m_grid7 = file.readSheet(5)->grids[2];
        m_services = std::make_unique<Services>(Services{
            m_fakes.messages, m_fakes.input, m_fakes.clock, m_draws, m_fakes.help, m_fakes.shell,
            m_fakes.screen, m_fakes.printer, m_fakes.saveDialog, m_fakes.sound});
    }

    void init()
    {
        m_screen = std::make_unique<Tirage>(*m_services);
        m_screen->resize(1280, 800);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
        m_screen->barre()->button(u"ChoixFichier"_s)->click();
        auto* list = m_screen->findChild<QComboBox*>(u"ListeDesFichiers"_s);
        emit list->activated(list->findText(u"Tirage du 25-12-2000 - 100 grilles"_s));
        QCOMPARE(m_screen->titleCaption(), u"Tirage du 25-12-2000 - 100 grilles"_s);
    }

    void aLineWinShowsTheGridWithItsRowInRed()
    {
        drawNumbersOf(m_grid42, 2);
        m_screen->barre()->button(u"Chrono"_s)->click(); // the timed draw goes on meanwhile
        check(u"VerifLigne"_s, 42);
        QVERIFY(panel()->isVisible());
        QCOMPARE(subtitle()->text(), u"La ligne 2 de la grille numéro 00042 est gagnante !!"_s);
        for (int i = 1; i <= 27; ++i) {
            const int n = m_grid42.cells[std::size_t(i - 1)];
            QCOMPARE(cell(i)->text(), n ? QString::number(n) : QString());
            QCOMPARE(isRed(i), i >= 10 && i <= 18);
        }
        QVERIFY(!tabs()->isEnabled());
        QVERIFY(!m_screen->barre()->isEnabled());
        QVERIFY(m_screen->timer().isActive());
        QVERIFY(panel()->findChild<QPushButton*>(u"Quitter"_s)->hasFocus());
        // The panel covers the boards and stays inside the window.
        QVERIFY(panel()->geometry().intersects(tabs()->geometry()));
        QVERIFY(panel()->parentWidget()->rect().contains(panel()->geometry()));

        panel()->findChild<QPushButton*>(u"Quitter"_s)->click();
        QVERIFY(!panel()->isVisible());
        QVERIFY(tabs()->isEnabled());
        QVERIFY(m_screen->barre()->isEnabled());
        QVERIFY(m_screen->barre()->button(u"Chrono"_s)->isChecked());
    }

    void aFullGridsLineCheckMarksItsThreeLines()
    {
        drawNumbersOf(m_grid42);
        check(u"VerifLigne"_s, 42);
        QCOMPARE(subtitle()->text(),
                 u"Les lignes 1 et 2 de la grille numéro 00042 sont gagnantes !!"_s);
        auto* details = panel()->findChild<QLabel*>(u"Details"_s);
        QVERIFY2(details->text().startsWith(u"La ligne 3 est complète elle aussi.\n"_s),
                 qPrintable(details->text()));
        for (int i = 1; i <= 27; ++i)
            QVERIFY(isRed(i));
        // The hall marks them as the panel does.
        QCOMPARE(m_screen->series().shownWin()->marked.size(), 27);
    }

    void redNeverCarriesOverToTheNextResult()
    {
        drawNumbersOf(m_grid42, 1);
        check(u"VerifLigne"_s, 42);
        QVERIFY(isRed(1));
        panel()->findChild<QPushButton*>(u"Quitter"_s)->click();

        drawNumbersOf(m_grid7);
        check(u"VerifGrille"_s, 7);
        QCOMPARE(subtitle()->text(), u"La grille numéro 00007 est gagnante !!"_s);
        for (int i = 1; i <= 27; ++i)
            QVERIFY(!isRed(i));
        QCOMPARE(m_fakes.messages.shown.size(), 0);
    }

    void aLosingGridOnlyGetsAMessage()
    {
        check(u"VerifGrille"_s, 42);
        QVERIFY(!panel()->isVisible());
        QCOMPARE(m_fakes.messages.last().icon, MsgIcon::Critical);
        QVERIFY(m_fakes.messages.last().text.startsWith(
            u"La grille numéro 00042 n'est pas gagnante"_s));
        QVERIFY(m_screen->barre()->isEnabled());
    }

    void aReinitialisationForgetsEveryNumber()
    {
        drawNumbersOf(m_grid42);
        m_fakes.messages.answer(MsgAnswer::Yes);
        m_screen->barre()->button(u"Reinitialiser"_s)->click();
        m_screen->barre()->button(u"ChoixFichier"_s)->click();
        auto* list = m_screen->findChild<QComboBox*>(u"ListeDesFichiers"_s);
        emit list->activated(0);
        check(u"VerifGrille"_s, 42);
        QVERIFY(m_fakes.messages.last().text.contains(u"Il n'y a aucun numéro correspondant !!"_s));
    }
};

QTEST_MAIN(TestResultPanel)
#include "test_resultpanel.moc"
