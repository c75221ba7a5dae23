#include "draw/ballmachineentry.h"
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "game/ballnumber.h"
#include "game/gamerecord.h"
#include "hall/hallcontrol.h"
#include "hall/halldisplay.h"
#include "platform/param.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

// Numbers from the hall's ball machine, typed or clicked, and the draw run
// from the keyboard alone.
class TestBallMachine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dataDir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Tirage> m_screen;

    QString recordPath() const { return m_dataDir.filePath(u"tirages.db"_s); }
    ScriptedMessages& messages() { return m_fakes->messages; }
    QToolButton* button(const QString& key) { return m_screen->barre()->button(key); }
    QLineEdit* entry() { return m_screen->entree(); }
    const DrawState& state() { return m_screen->state(); }

    // The ball machine's way, the first number's question about the missing
    // grid file answered already.
    void startBallMachine()
    {
        button(u"Boulier"_s)->click();
        messages().answer(MsgAnswer::Yes);
        type(u"1"_s);
        messages().shown.clear();
    }

    void type(const QString& text)
    {
        entry()->setText(text);
        QTest::keyClick(entry(), Qt::Key_Return);
    }

private slots:
    void init()
    {
        AppGlobals globals =
            AppGlobals::compose(m_dataDir.filePath(u"numerella"_s), QDateTime::currentDateTime());
        globals.RecordFile = recordPath();
        Param::setGlobals(globals);
        QFile::remove(recordPath());
        m_fakes = std::make_unique<FakeServices>();
        m_screen = std::make_unique<Tirage>(m_fakes->services);
        m_screen->resize(1024, 740);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
        m_screen->activateWindow();
    }

    void cleanup() { m_screen.reset(); }

    void onlyAWholeNumberFrom1To90IsANumber()
    {
        QCOMPARE(parseBallNumber(u"42"_s), 42);
        QCOMPARE(parseBallNumber(u" 07 "_s), 7);
        QCOMPARE(parseBallNumber(u"90"_s), 90);
        QCOMPARE(parseBallNumber(u"00000000000000000051"_s), 51);
        for (const QString& bad : {u""_s, u"0"_s, u"91"_s, u"-3"_s, u"+3"_s, u"abc"_s, u"4 2"_s,
                                   u"4,2"_s, u"0000"_s, u"100"_s, u"٤٢"_s, u"99999999999"_s})
            QVERIFY2(!parseBallNumber(bad), qPrintable(bad));
    }

    void aTypedNumberIsDrawnLikeAnyOther()
    {
        button(u"Boulier"_s)->click();
        QVERIFY(!button(u"Tirage"_s)->isEnabled());
        QVERIFY(!button(u"Chrono"_s)->isEnabled());
        QVERIFY(entry()->isVisible());
        QVERIFY(entry()->hasFocus());
        QCOMPARE(entry()->accessibleName(), u"Numéro sorti du boulier"_s);
        // The whole board shows, for a click on the number that came out.
        auto* cell = m_screen->findChild<QLabel*>(u"Resultat(41)"_s);
        QVERIFY(cell->isVisible());
        QCOMPARE(cell->accessibleName(), u"42 pas encore tiré"_s);

        messages().answer(MsgAnswer::Yes); // no grid file: go on anyway
        type(u"42"_s);
        QCOMPARE(state().sequence(), QList<int>{42});
        QCOMPARE(m_screen->findChild<QLabel*>(u"Afficheur"_s)->accessibleName(),
                 u"Numéro tiré : 42"_s);
        QCOMPARE(m_fakes->sound.clips, QList<int>{42});
        QCOMPARE(state().lastFive()[0], u"42"_s);
        QCOMPARE(cell->accessibleName(), u"42 tiré"_s);

        QTest::mouseClick(m_screen->findChild<QLabel*>(u"Resultat(6)"_s), Qt::LeftButton);
        QTest::mouseClick(cell, Qt::LeftButton); // already out: nothing happens
        QCOMPARE(state().sequence(), (QList<int>{42, 7}));
        QCOMPARE(
            GameRecord(recordPath()).series(m_screen->series().recordId()).events.last().method,
            DrawMethod::BallMachine);
    }

    void whatIsNotANewNumberIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("said");
        const QString refusal = u"Tapez un numéro de 1 à 90 !!"_s;
        for (const char* typed : {"0", "91", "-3", "abc", "4 2", ""})
            QTest::newRow(typed) << QString::fromUtf8(typed) << refusal;
        // Pasted: read whole, never cut down to a number.
        QTest::newRow("number then words") << u"5"_s + QString(30, u' ') + u"abc"_s << refusal;
        QTest::newRow("more than the field holds") << u"7"_s + QString(40000, u' ') << refusal;
        QTest::newRow("already out") << u"1"_s << u"Le numéro 1 est déjà sorti !!"_s;
    }

    void whatIsNotANewNumberIsRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, said);
        startBallMachine();
        type(typed);
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last().text, said);
        QCOMPARE(messages().last().title, Param::AppTitle());
        QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
        QVERIFY(entry()->text().isEmpty());
        QVERIFY(entry()->hasFocus());
        QCOMPARE(state().count(), 1);
        QCOMPARE(GameRecord(recordPath()).series(m_screen->series().recordId()).events.size(), 1);
    }

    void bothWaysMakeOneSeries()
    {
        startBallMachine();
        for (int n = 2; n <= 10; ++n)
            type(QString::number(n * 9));
        button(u"Boulier"_s)->click();
        QVERIFY(button(u"Tirage"_s)->isEnabled() && !entry()->isVisible());
        // The random draw never gives again a number typed from the machine.
        while (!state().isComplete() && state().count() < 100)
            button(u"Tirage"_s)->click();
        QCOMPARE(state().count(), 90);
        const RecordedSeries kept = GameRecord(recordPath()).series(m_screen->series().recordId());
        QCOMPARE(kept.sequence().size(), 90);
        QCOMPARE(kept.events[9].method, DrawMethod::BallMachine);
        QCOMPARE(kept.events[10].method, DrawMethod::Hand);
    }

    void theBallMachineStopsTheTimedDraw()
    {
        messages().answer(MsgAnswer::Yes);
        button(u"Chrono"_s)->click();
        QVERIFY(m_screen->timer().isActive());
        button(u"Boulier"_s)->click();
        QVERIFY(!m_screen->timer().isActive());
        QVERIFY(!button(u"Chrono"_s)->isChecked() && !button(u"Chrono"_s)->isEnabled());
    }

    void theSwitchesFollowAScreenReadersToggle()
    {
        // A screen reader toggles a switch without clicking it.
        const auto toggle = [this](const QString& key) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button(key));
            QVERIFY(a && a->actionInterface());
            a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        };
        toggle(u"Boulier"_s);
        QVERIFY(m_screen->isBallMachine() && entry()->isVisible());
        toggle(u"Salle"_s);
        QVERIFY(m_screen->hall().isShown());
        toggle(u"Boulier"_s);
        toggle(u"Salle"_s);
        QVERIFY(!m_screen->isBallMachine() && !m_screen->hall().isShown());
    }

    void theDrawRunsFromTheKeyboard()
    {
        messages().answer(MsgAnswer::Yes);
        QTest::keyClick(m_screen.get(), Qt::Key_Space);
        QCOMPARE(state().count(), 1);
        const int first = state().sequence().last();
        QTest::keyClick(m_screen.get(), Qt::Key_R);
        QCOMPARE(m_fakes->sound.clips, (QList<int>{first, first}));
        // No grid file: each check says so.
        messages().shown.clear();
        QTest::keyClick(m_screen.get(), Qt::Key_L);
        QTest::keyClick(m_screen.get(), Qt::Key_G);
        QCOMPARE(messages().shown.size(), 2);
        QTest::keyClick(m_screen.get(), Qt::Key_Escape);
        QVERIFY(m_screen->isVisible());
        messages().answer(MsgAnswer::Yes);
        QTest::keyClick(m_screen.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(state().count(), 0);

        // The ball machine's way: digits land in its field, the letters still act.
        button(u"Boulier"_s)->click();
        QTest::keyClick(m_screen.get(), Qt::Key_Space); // no random number now
        QCOMPARE(state().count(), 0);
        QTest::keyClick(m_screen.get(), Qt::Key_4);
        QTest::keyClick(entry(), Qt::Key_2);
        QTest::keyClick(entry(), Qt::Key_L);
        QCOMPARE(entry()->text(), u"42"_s);
        QCOMPARE(messages().shown.size(), 4); // after the undo question, the line check
        messages().answer(MsgAnswer::Yes);    // again without a grid file
        QTest::keyClick(entry(), Qt::Key_Return);
        QCOMPARE(state().sequence(), QList<int>{42});

        // Over the hall's window, the operator's keys still drive the draw.
        QTest::keyClick(m_screen.get(), Qt::Key_F5);
        HallDisplay* hall = m_screen->hall().display();
        QVERIFY(hall->isVisible());
        QTest::keyClick(hall, Qt::Key_R);
        QCOMPARE(m_fakes->sound.clips.last(), 42);
        // ... and the ball machine's number is typed, corrected and entered there too.
        QTest::keyClicks(hall, u"78"_s);
        QTest::keyClick(hall, Qt::Key_Backspace);
        QTest::keyClick(hall, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(state().sequence(), (QList<int>{42, 7}));
        QTest::keyClick(hall, Qt::Key_F5);
        QVERIFY(!hall->isVisible());
    }
};

QTEST_MAIN(TestBallMachine)
#include "test_ballmachine.moc"
