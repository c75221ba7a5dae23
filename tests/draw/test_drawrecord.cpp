#include "draw/drawgridfile.h"
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/testpaths.h"
#include "game/gamerecord.h"
#include "grids/gridfilebuilder.h"
#include "platform/param.h"
#include "printing/tiragesenregistres.h"
#include "voice/clubvoicestore.h"
#include "voice/voicechoicefile.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {
const QString Title = u"Tirage du 25-12-2000 - 100 grilles"_s;
}

// The draw screen with its record: undo, resume, the unrecorded mark, the report.
class TestDrawRecord : public QObject
{
    Q_OBJECT

    QTemporaryDir m_appDir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Tirage> m_screen;

    QString recordPath() const { return m_appDir.filePath(u"donnees/tirages.db"_s); }
    QString gridPath() const { return m_appDir.filePath(u"GRILLES/100-25-12-2000.DAT"_s); }
    ScriptedMessages& messages() { return m_fakes->messages; }
    QToolButton* button(const QString& key) { return m_screen->barre()->button(key); }
    QString display() { return m_screen->findChild<QLabel*>(u"Afficheur"_s)->text(); }

    void setRecord(const QString& path)
    {
        AppGlobals globals =
            AppGlobals::compose(m_appDir.filePath(u"numerella"_s), QDateTime::currentDateTime());
        globals.RecordFile = path;
        Param::setGlobals(globals);
    }

    void openScreen()
    {
        m_screen = std::make_unique<Tirage>(m_fakes->services);
        m_screen->resize(1024, 740);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
        QCoreApplication::processEvents(); // the question about an interrupted draw
    }

    void makeGridFile(quint64 seed)
    {
        SeededRandom random(seed);
        GridFileBuilder(Param::AppPath(), random, m_fakes->clock).build(100, gridPath(), {});
    }

    // A series of the Christmas file left open with these numbers, as a crash leaves it.
    void leaveInterrupted(const QList<int>& numbers)
    {
        DrawSeries series(recordPath(), m_fakes->clock);
        series.chooseFile(DrawGridFile::choose(Param::AppPath(), Title));
        for (int n : numbers)
            series.draw(n, DrawMethod::Timed);
    }

private slots:
    void initTestCase()
    {
        QFile::copy(TestPaths::built(u"Loto1.dat"_s), m_appDir.filePath(u"Loto1.dat"_s));
        QDir(m_appDir.path()).mkpath(u"GRILLES"_s);
    }

    void init()
    {
        QFile::remove(recordPath());
        setRecord(recordPath());
        m_fakes = std::make_unique<FakeServices>();
        makeGridFile(7);
    }

    void cleanup() { m_screen.reset(); }

    void undoTakesTheLastNumberBackOnlyAfterYes()
    {
        openScreen();
        QVERIFY(!button(u"Annuler"_s)->isEnabled());
        messages().answer(MsgAnswer::Yes); // no grid file: draw anyway
        for (int i = 0; i < 3; ++i)
            button(u"Tirage"_s)->click();
        const QList<int> drawn = m_screen->state().sequence();
        QVERIFY(button(u"Annuler"_s)->isEnabled());

        messages().answer(MsgAnswer::No);
        QTest::keyClick(m_screen.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(messages().last().text, u"Voulez-vous annuler le dernier numéro tiré ("_s +
                                             QString::number(drawn[2]) + u") ?"_s);
        QCOMPARE(messages().last().buttons, MsgButtons::YesNo);
        QCOMPARE(messages().last().defaultAnswer, MsgAnswer::No);
        QCOMPARE(m_screen->state().sequence(), drawn);

        messages().answer(MsgAnswer::Yes);
        button(u"Annuler"_s)->click();
        QCOMPARE(m_screen->state().sequence(), drawn.mid(0, 2));
        QCOMPARE(display(), QString::number(drawn[1]));
        QCOMPARE(m_screen->series().lastNumber(), std::optional<int>(drawn[1]));
        QCOMPARE(m_screen->state().lastFive()[0], QString::number(drawn[1]));
        QVERIFY(m_screen->findChild<QLabel*>(u"Resultat(%1)"_s.arg(drawn[2] - 1))->isHidden());

        for (int i = 0; i < 2; ++i) {
            messages().answer(MsgAnswer::Yes);
            button(u"Annuler"_s)->click();
        }
        QVERIFY(display().isEmpty());
        QVERIFY(!m_screen->series().lastNumber());
        QVERIFY(!button(u"Annuler"_s)->isEnabled());

        // The record keeps every number and every undo, in order.
        const RecordedSeries kept = GameRecord(recordPath()).series(m_screen->series().recordId());
        QCOMPARE(kept.events.size(), 6);
        QCOMPARE(kept.events[3].kind, RecordedEvent::Kind::Undo);
        QCOMPARE(kept.events[3].value, drawn[2]);
        QCOMPARE(m_fakes->sound.clips.size(), 3); // an undo calls nothing
    }

    void undoWaitsWhileTheTimerDraws()
    {
        openScreen();
        messages().answer(MsgAnswer::Yes);
        button(u"Chrono"_s)->click();
        QCOMPARE(m_screen->state().count(), 1);
        QVERIFY(!button(u"Annuler"_s)->isEnabled());
        QTest::keyClick(m_screen.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_screen->state().count(), 1);
        button(u"Chrono"_s)->click();
        QVERIFY(button(u"Annuler"_s)->isEnabled());
    }

    void anInterruptedDrawResumesAsItWasWithoutStartingAnything()
    {
        leaveInterrupted({12, 90, 7, 45, 3, 61, 28});
        m_fakes->clock.time = QDateTime(QDate(2000, 12, 25), QTime(21, 5));
        messages().answer(MsgAnswer::Yes);
        openScreen();
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last().text,
                 u"Un tirage interrompu a été retrouvé :\n"_s + Title +
                     u", 7 numéros tirés, dernier numéro 28 à 20:30.\n\nVoulez-vous le "
                     "reprendre ?"_s);
        QCOMPARE(messages().last().buttons, MsgButtons::YesNo);
        QCOMPARE(m_screen->state().sequence(), QList<int>({12, 90, 7, 45, 3, 61, 28}));
        QCOMPARE(m_screen->state().lastFive()[4], u"7"_s);
        QCOMPARE(display(), u"28"_s);
        QCOMPARE(m_screen->titleCaption(), Title);
        QVERIFY(!button(u"ChoixFichier"_s)->isEnabled());
        QVERIFY(!m_screen->timer().isActive());
        QVERIFY(m_fakes->sound.clips.isEmpty());
        QVERIFY(m_screen->series().checksAllowed());

        // The next number goes to the same series.
        button(u"Tirage"_s)->click();
        QCOMPARE(GameRecord(recordPath()).series(m_screen->series().recordId()).sequence().size(),
                 8);
    }

    void theResumeQuestionAndTheVoiceSpeakOneAfterTheOther()
    {
        leaveInterrupted({4, 5});
        AppGlobals globals = Param::globals();
        globals.VoiceFolder = m_appDir.filePath(u"voix"_s);
        Param::setGlobals(globals);
        QVERIFY(ClubVoiceStore(Param::VoiceFolder()).create(u"Martine"_s).isEmpty());
        VoiceChoice::inUse().clubVoice = u"Martine"_s;
        int open = 0, most = 0; // boxes open at once, as a real box's own event loop would
        messages().whileOpen = [&] {
            most = std::max(most, ++open);
            QCoreApplication::processEvents();
            --open;
        };
        openScreen();
        messages().whileOpen = nullptr;
        VoiceChoice::inUse().clubVoice.clear();
        setRecord(recordPath());
        QCOMPARE(messages().shown.size(), 2);
        QVERIFY(messages().shown[0].text.startsWith(u"Un tirage interrompu"_s));
        QVERIFY(messages().shown[1].text.startsWith(u"Aucun numéro de la voix de Martine"_s));
        QCOMPARE(most, 1);
    }

    void declinedItIsKeptAsAbandonedAndNotAskedAgain()
    {
        leaveInterrupted({4, 5});
        messages().answer(MsgAnswer::No);
        openScreen();
        QCOMPARE(m_screen->state().count(), 0);
        QVERIFY(display().isEmpty());
        QVERIFY(button(u"ChoixFichier"_s)->isEnabled());
        m_screen.reset();
        const QList<SeriesSummary> kept = GameRecord(recordPath()).summaries();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].state, SeriesState::Abandoned);
        openScreen();
        QCOMPARE(messages().shown.size(), 1);
    }

    void aCompleteSeriesIsClosedNotOffered()
    {
        QList<int> all;
        for (int n = 90; n >= 1; --n)
            all.append(n);
        leaveInterrupted(all);
        const QDateTime last = m_fakes->clock.time;
        m_fakes->clock.time = last.addSecs(3600);
        openScreen();
        QVERIFY(messages().shown.isEmpty());
        QCOMPARE(m_screen->state().count(), 0);
        QVERIFY(button(u"ChoixFichier"_s)->isEnabled());
        GameRecord record(recordPath());
        const RecordedSeries kept = record.series(record.summaries().first().id);
        QCOMPARE(kept.state, SeriesState::Complete);
        QCOMPARE(kept.ended, last);
        QCOMPARE(stateLabel(kept.state), u"terminé"_s);
    }

    void gridsTheHallNoLongerHoldsAreNeverChecked_data()
    {
        QTest::addColumn<bool>("remade");
        QTest::newRow("refait") << true;
        QTest::newRow("disparu") << false;
    }

    void gridsTheHallNoLongerHoldsAreNeverChecked()
    {
        QFETCH(bool, remade);
        leaveInterrupted({10, 20, 30});
        QFile::remove(gridPath());
        if (remade)
            makeGridFile(8);
        messages().answer(MsgAnswer::Yes);
        openScreen();
        QCOMPARE(messages().shown.size(), 2);
        QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
        QVERIFY2(messages().last().text.contains(remade ? u"a été refait"_s : u"n'existe plus"_s),
                 qPrintable(messages().last().text));
        QCOMPARE(m_screen->state().count(), 3);
        m_fakes->input.answers.enqueue(u"1"_s);
        button(u"VerifGrille"_s)->click();
        QVERIFY(m_fakes->input.asked.isEmpty());
        QVERIFY(messages().last().text.startsWith(
            u"Les grilles de ce tirage ne peuvent plus être vérifiées"_s));
    }

    // Another file of 100 grids put under the same name mid-game: none of its
    // grids is judged. The players' file back, the checks are made again.
    void aGridFileReplacedMidGameIsNeverChecked()
    {
        openScreen();
        button(u"ChoixFichier"_s)->click();
        auto* files = m_screen->findChild<QComboBox*>(u"ListeDesFichiers"_s);
        emit files->activated(files->findText(Title));
        for (int i = 0; i < 5; ++i)
            button(u"Tirage"_s)->click();
        const QString players = gridPath() + u".joueurs"_s;
        QVERIFY(QFile::rename(gridPath(), players));
        makeGridFile(8);
        const auto checksRecorded = [&] {
            int count = 0;
            for (const RecordedEvent& e :
                 GameRecord(recordPath()).series(m_screen->series().recordId()).events)
                count += e.kind == RecordedEvent::Kind::LineCheck;
            return count;
        };
        m_fakes->input.answers.enqueue(u"79"_s);
        button(u"VerifLigne"_s)->click();
        QCOMPARE(messages().last().text,
                 u"Le fichier de grilles 100-25-12-2000.DAT a été refait depuis le début de ce "
                 "tirage : ses grilles ne sont plus celles des joueurs.\n\nAucune grille n'y "
                 "est vérifiée : on ne vérifie jamais des grilles que les joueurs n'ont pas."_s);
        QCOMPARE(checksRecorded(), 0);

        QVERIFY(QFile::remove(gridPath()));
        QVERIFY(QFile::rename(players, gridPath()));
        m_fakes->input.answers.enqueue(u"79"_s);
        button(u"VerifLigne"_s)->click();
        QCOMPARE(checksRecorded(), 1);
    }

    void aRecordDeletedMidSeriesIsWrittenAgainAndSaidOnce()
    {
        openScreen();
        messages().answer(MsgAnswer::Yes); // no grid file: draw anyway
        for (int i = 0; i < 2; ++i)
            button(u"Tirage"_s)->click();
        for (const QString& suffix : {QString(), u"-wal"_s, u"-shm"_s})
            QVERIFY(QFile::remove(recordPath() + suffix));
        const qsizetype before = messages().shown.size();
        for (int i = 0; i < 2; ++i)
            button(u"Tirage"_s)->click();
        QCOMPARE(messages().shown.size(), before + 1);
        QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
        QVERIFY(messages().last().text.contains(u"Il a été écrit de nouveau à sa place"_s));
        QVERIFY(m_screen->findChild<QLabel*>(u"NonEnregistre"_s)->isHidden());
        QCOMPARE(GameRecord(recordPath()).series(m_screen->series().recordId()).sequence(),
                 m_screen->state().sequence());
    }

    void aRecordThatCannotBeWrittenIsSaidOnceAndMarked()
    {
        const QString blocked = m_appDir.filePath(u"fichier"_s);
        QFile f(blocked);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        setRecord(blocked + u"/tirages.db"_s); // its folder is a file
        openScreen();
        QLabel* mark = m_screen->findChild<QLabel*>(u"NonEnregistre"_s);
        // Looking for an interrupted draw failed: said at once, marked at once.
        QCOMPARE(messages().shown.size(), 1);
        QVERIFY(mark->isVisible());
        messages().answer(MsgAnswer::Yes);
        for (int i = 0; i < 3; ++i)
            button(u"Tirage"_s)->click();
        QCOMPARE(m_screen->state().count(), 3);
        QCOMPARE(messages().shown.size(), 2); // the no-file question only
        QVERIFY(messages().shown[0].text.contains(QDir::toNativeSeparators(blocked)));
        QCOMPARE(messages().shown[0].title, u"Numerella 4.1"_s);
        QVERIFY(mark->isVisible());
        QCOMPARE(mark->text(), u"Tirage non enregistré"_s);
    }

    void theReportKeyShowsTheCurrentSeriesWhichCannotBeDeleted()
    {
        openScreen();
        messages().answer(MsgAnswer::Yes);
        button(u"Tirage"_s)->click();
        button(u"Rapport"_s)->click();
        auto* window = m_screen->findChild<TiragesEnregistres*>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->selectedId(), m_screen->series().recordId());
        QCOMPARE(window->liste()->currentItem()->text(3), u"en cours"_s);
        window->Supprimer_Click();
        QCOMPARE(messages().last().text,
                 u"Ce tirage est en cours : il ne peut pas être supprimé."_s);
        QCOMPARE(GameRecord(recordPath()).summaries().size(), 1);
        window->close();
    }
};

QTEST_MAIN(TestDrawRecord)
#include "test_drawrecord.moc"
