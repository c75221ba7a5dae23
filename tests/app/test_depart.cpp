#include "app/depart.h"
#include "app/mainstatusbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "platform/helpopener.h"
#include "platform/param.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {
// The screen keeps the main window inactive while it is open, and is a dialog
// of it, which the desktop never lets the main window cover.
bool isModalOver(const QWidget* screen, const QWidget* main)
{
    return screen && screen->parentWidget() == main && screen->windowModality() != Qt::NonModal &&
           screen->windowType() == Qt::Dialog;
}
} // namespace

class TestDepart : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Depart> m_depart;

    Depart& depart() { return *m_depart; }

private slots:
    void init()
    {
        Param::setGlobals(AppGlobals::compose(u"/opt/numerella/numerella"_s,
                                              QDateTime(QDate(2000, 4, 16), QTime(13, 8))));
        m_fakes = std::make_unique<FakeServices>();
        m_depart = std::make_unique<Depart>(m_fakes->services);
        m_depart->resize(1024, 740);
        m_depart->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_depart.get()));
    }

    void cleanup()
    {
        if (QWidget* screen = m_depart->activeScreen())
            delete screen;
        m_depart.reset();
    }

    void showsTitleToolbarPictureAndStatusBar()
    {
        QCOMPARE(depart().windowTitle(), u"Numerella 4.1"_s);
        const QList<QAction*> actions = depart().barreBoutons()->actions();
        QStringList keys, tips;
        for (QAction* action : actions) {
            keys << action->data().toString();
            tips << action->toolTip();
            QVERIFY(!action->icon().pixmap(32).isNull());
            QVERIFY(!depart().barreBoutons()->widgetForAction(action)->accessibleName().isEmpty());
        }
        QCOMPARE(keys, QStringList({u"Generateur"_s, u"Impression"_s, u"Tirage"_s, u"Rapports"_s,
                                    u"Programme"_s, u"Soiree"_s, u"VoixClub"_s, u"Organisateur"_s,
                                    u"Apropos"_s, u"Aide"_s, u"Quitter"_s}));
        QCOMPARE(tips,
                 QStringList({u"Générateur de grilles"_s, u"Impression des grilles"_s,
                              u"Tirage du loto"_s, u"Tirages enregistrés"_s,
                              u"Programme de la soirée"_s, u"Imprimer le résumé de la soirée"_s,
                              u"Enregistrer ou importer la voix du club"_s,
                              u"Nom, lieu et logo de l'organisateur"_s, u"A propos !"_s,
                              u"Un peu d'aide ?"_s, u"Quitter l'application"_s}));

        QLabel* grilles = depart().grilles();
        QVERIFY(grilles->isVisible());
        QCOMPARE(grilles->size(), QSize(413, 330));
        QCOMPARE(grilles->pixmap().size(), QSize(413, 330));
        const QWidget* centre = depart().centralWidget();
        QCOMPARE(grilles->geometry().center().x(), centre->rect().center().x());

        MainStatusBar* barre = depart().barre();
        QCOMPARE(barre->panel(1)->text(), u"Numerella  -  Version 4.1"_s);
        QCOMPARE(barre->panel(2)->text(), u"DEFIL"_s);
        QCOMPARE(barre->panel(3)->text(), u"INS"_s);
        QCOMPARE(barre->panel(4)->text(), u"MAJ"_s);
        QCOMPARE(barre->panel(5)->text(), u"NUM"_s);
        QCOMPARE(barre->panel(6)->text(), u"25/12/2000"_s);
        QCOMPARE(barre->panel(7)->text(), u"20:30"_s);
    }

    void fitsAnEightHundredBySixHundredScreen()
    {
        depart().resize(800, 600);
        QTRY_COMPARE(depart().width(), 800);
        MainStatusBar* barre = depart().barre();
        for (int number = 1; number <= 7; ++number) {
            const QLabel* panel = barre->panel(number);
            QVERIFY2(panel->isVisible(), qPrintable(panel->text()));
            // Every panel lies within the window and shows its whole text.
            QVERIFY(panel->mapTo(&depart(), panel->rect().bottomRight()).x() < 800);
            QVERIFY(panel->width() >= panel->minimumSizeHint().width());
        }
        const QWidget* centre = depart().centralWidget();
        QCOMPARE(depart().grilles()->geometry().center(), centre->rect().center());
        QVERIFY(centre->rect().contains(depart().grilles()->geometry()));
    }

    void dateAndTimeStayCurrent()
    {
        m_fakes->clock.time = QDateTime(QDate(2001, 1, 1), QTime(0, 5));
        QTRY_COMPARE(depart().barre()->panel(7)->text(), u"00:05"_s);
        QCOMPARE(depart().barre()->panel(6)->text(), u"01/01/2001"_s);
    }

    void insertAndLockKeysFollowTheirKeys()
    {
        // Offscreen there is no X server to ask: the indicators follow the presses.
        QLabel* ins = depart().barre()->panel(3);
        QLabel* caps = depart().barre()->panel(4);
        const bool insertBefore = ins->isEnabled();
        const bool capsBefore = caps->isEnabled();
        QTest::keyClick(depart().windowHandle(), Qt::Key_Insert);
        QTest::keyClick(depart().windowHandle(), Qt::Key_CapsLock);
        QCOMPARE(ins->isEnabled(), !insertBefore);
        QCOMPARE(caps->isEnabled(), !capsBefore);
        QTest::keyClick(depart().windowHandle(), Qt::Key_Insert);
        QCOMPARE(ins->isEnabled(), insertBefore);
    }

    void drawScreenNeedsEightHundredPixels_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("opens");
        QTest::newRow("799") << 799 << false;
        QTest::newRow("800") << 800 << true;
        QTest::newRow("1920") << 1920 << true;
    }

    void drawScreenNeedsEightHundredPixels()
    {
        QFETCH(int, width);
        QFETCH(bool, opens);
        m_fakes->screen.pixels = width;
        depart().BarreBoutons_ButtonClick(u"Tirage"_s);
        QCOMPARE(qobject_cast<Tirage*>(depart().activeScreen()) != nullptr, opens);
        QVERIFY(depart().grilles()->isVisible()); // never hidden for the draw
        if (opens) {
            QVERIFY(m_fakes->messages.shown.isEmpty());
            QVERIFY(isModalOver(depart().activeScreen(), &depart()));
        } else {
            QCOMPARE(m_fakes->messages.shown.size(), 1);
            QCOMPARE(m_fakes->messages.last().text,
                     u"Le tirage du loto nécessite un moniteur réglé en 800*600 minimum !!"_s);
            QCOMPARE(m_fakes->messages.last().icon, MsgIcon::Critical);
            QCOMPARE(m_fakes->messages.last().title, u"Numerella 4.1"_s);
        }
    }

    void screensHideThePictureUntilTheirQuitButton_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("generator") << u"Generateur"_s;
        QTest::newRow("printing") << u"Impression"_s;
        QTest::newRow("about") << u"Apropos"_s;
    }

    void screensHideThePictureUntilTheirQuitButton()
    {
        QFETCH(QString, key);
        depart().BarreBoutons_ButtonClick(key);
        QWidget* screen = depart().activeScreen();
        QVERIFY(screen);
        QVERIFY(!depart().grilles()->isVisible());
        QVERIFY(isModalOver(depart().activeScreen(), &depart()));
        screen->findChild<QAbstractButton*>(u"Quitter"_s)->click();
        QTRY_VERIFY(!depart().activeScreen());
        QVERIFY(depart().grilles()->isVisible());
    }

    void aideOpensTheHelpContents()
    {
        HelpKey helpKey(m_fakes->help);
        qApp->installEventFilter(&helpKey);
        depart().BarreBoutons_ButtonClick(u"Aide"_s);
        QTRY_COMPARE(m_fakes->help.topics, QList<int>{HelpTopic::Contents});
        qApp->removeEventFilter(&helpKey);
    }

    void unknownKeysDoNothingAndQuitterCloses()
    {
        depart().BarreBoutons_ButtonClick(u"quitter"_s);
        QVERIFY(depart().isVisible());
        depart().BarreBoutons_ButtonClick(u"Quitter"_s);
        QVERIFY(!depart().isVisible());
        QVERIFY(m_fakes->messages.shown.isEmpty()); // no question
    }
};

QTEST_MAIN(TestDepart)
#include "test_depart.moc"
