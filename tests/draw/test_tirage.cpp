#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/testpaths.h"
#include "grids/gridfilebuilder.h"
#include "platform/helpopener.h"
#include "platform/param.h"
#include "voice/voicechoicefile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSet>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const QString NoFileQuestion = u"Vous n'avez pas choisi de fichier de tirage !!\n\n"
                               "Si vous n'en choississez pas un, le tirage pourra avoir lieu\n"
                               "mais vous n'aurez pas accès à la vérification des grilles.\n\n"
                               "Souhaitez vous continuer ?"_s;
const QString SeriesComplete = u"Tous les numéros ont été tirés !!\n\n"
                               "Veuillez réinitialiser pour effectuer une nouvelle série."_s;
} // namespace

class TestTirage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Tirage> m_screen;
    QTemporaryDir m_appDir;

    Tirage& screen() { return *m_screen; }
    QLabel* label(const QString& name) { return m_screen->findChild<QLabel*>(name); }
    QToolButton* button(const QString& key) { return m_screen->barre()->button(key); }
    QSlider* slider() { return m_screen->findChild<QSlider*>(u"Temps"_s); }
    QComboBox* list() { return m_screen->findChild<QComboBox*>(u"ListeDesFichiers"_s); }
    ScriptedMessages& messages() { return m_fakes->messages; }

    void click(const QString& key) { button(key)->click(); }

    // Makes a grid file of the draw active through the list, as the operator does.
    void chooseFile(const QString& fileName)
    {
        QFile::copy(TestPaths::built(u"Loto1.dat"_s), m_appDir.filePath(u"Loto1.dat"_s));
        GridFileBuilder(Param::AppPath(), m_fakes->random, m_fakes->clock)
            .build(100, m_appDir.filePath(u"GRILLES/"_s + fileName), {});
        click(u"ChoixFichier"_s);
        const int index = list()->findText(u"Tirage du 25-12-2000 - 100 grilles"_s);
        QVERIFY(index >= 0);
        list()->setCurrentIndex(index);
        emit list()->activated(index);
    }

    void drawWithoutFile(int count)
    {
        messages().answer(MsgAnswer::Yes);
        for (int i = 0; i < count; ++i)
            click(u"Tirage"_s);
    }

private slots:
    void init()
    {
        Param::setGlobals(
            AppGlobals::compose(m_appDir.filePath(u"numerella"_s), QDateTime::currentDateTime()));
        VoiceChoice::inUse().builtInOffset = 0;
        QDir(m_appDir.filePath(u"GRILLES"_s)).removeRecursively();
        m_fakes = std::make_unique<FakeServices>();
        m_screen = std::make_unique<Tirage>(m_fakes->services);
        m_screen->resize(1024, 740);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

    void cleanup() { m_screen.reset(); }

    void opensEmpty()
    {
        QCOMPARE(screen().windowTitle(), u"Tirage du Loto"_s);
        QVERIFY(label(u"Afficheur"_s)->text().isEmpty());
        QVERIFY(screen().titleCaption().isEmpty());
        for (int i = 0; i < 90; ++i)
            QVERIFY(!label(u"Resultat(%1)"_s.arg(i))->isVisible());
        QCOMPARE(label(u"Dernier"_s)->text(), u"Dernier"_s);
        for (int k = 0; k < 5; ++k) {
            QVERIFY(label(u"Suivi(%1)"_s.arg(k))->isVisible());
            QVERIFY(label(u"Suivi(%1)"_s.arg(k))->text().isEmpty());
        }
        QVERIFY(!slider()->isVisible());
        QVERIFY(!label(u"AfficheTemps"_s)->isVisible());
        QCOMPARE(label(u"AfficheTemps"_s)->text(), u"30"_s);
        QCOMPARE(slider()->value(), 3);
        QVERIFY(!list()->isVisible());
        QVERIFY(!screen().findChild<QWidget*>(u"ResultatGrille"_s)->isVisible());
        QVERIFY(button(u"Femme"_s)->isChecked());
        QVERIFY(!button(u"Chrono"_s)->isChecked());
        QCOMPARE(slider()->focusPolicy(), Qt::NoFocus);
    }

    void toolbarKeysHaveTheirTipsAndNames()
    {
        const QStringList keys = {
            u"ChoixFichier"_s,  u"Chrono"_s,  u"Tirage"_s,     u"Boulier"_s, u"Annuler"_s,
            u"Repeter"_s,       u"Femme"_s,   u"Homme"_s,      u"Voix"_s,    u"VerifLigne"_s,
            u"VerifGrille"_s,   u"Salle"_s,   u"Telephones"_s, u"Theme"_s,   u"Rapport"_s,
            u"Reinitialiser"_s, u"Apropos"_s, u"Quitter"_s};
        QCOMPARE(screen().barre()->keys(), keys);
        QCOMPARE(button(u"Repeter"_s)->toolTip(), u"Répéter le dernier nombre tiré (R)"_s);
        QCOMPARE(button(u"Repeter"_s)->accessibleName(), u"Répéter le dernier nombre tiré"_s);
        QCOMPARE(button(u"Salle"_s)->toolTip(), u"Écran de la salle (F5)"_s);
        QCOMPARE(button(u"Salle"_s)->accessibleName(), u"Écran de la salle"_s);
        QCOMPARE(button(u"Boulier"_s)->accessibleName(), u"Tirage au boulier"_s);
        QCOMPARE(button(u"Telephones"_s)->accessibleName(), u"Téléphones des joueurs"_s);
        QCOMPARE(button(u"Telephones"_s)->toolTip(), u"Téléphones des joueurs (F6)"_s);
        QCOMPARE(button(u"Quitter"_s)->toolTip(), u"Quitter l'écran du tirage"_s);
        QCOMPARE(button(u"Annuler"_s)->toolTip(), u"Annuler le dernier numéro (Ctrl+Z)"_s);
        QCOMPARE(button(u"Annuler"_s)->accessibleName(), u"Annuler le dernier numéro"_s);
        QCOMPARE(button(u"Rapport"_s)->accessibleName(), u"Rapport du tirage"_s);
        QVERIFY(!button(u"Annuler"_s)->isEnabled()); // nothing drawn yet
        for (const QString& key : keys) {
            QVERIFY2(!button(key)->icon().pixmap(32).isNull(), qPrintable(key));
            QVERIFY(!button(key)->accessibleName().isEmpty());
        }
        screen().Barre_ButtonClick(u"tirage"_s); // keys are compared letter case included
        QVERIFY(messages().shown.isEmpty());
    }

    void firstDrawWithoutFileAnsweredNoDrawsNothing()
    {
        messages().answer(MsgAnswer::No);
        click(u"Tirage"_s);
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last().text, NoFileQuestion);
        QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
        QCOMPARE(messages().last().buttons, MsgButtons::YesNo);
        QCOMPARE(messages().last().title, u"Numerella 4.1"_s);
        QCOMPARE(screen().state().count(), 0);
        QVERIFY(button(u"ChoixFichier"_s)->isEnabled());
    }

    void firstDrawWithoutFileAnsweredYesLocksTheFileChoice()
    {
        drawWithoutFile(3);
        QCOMPARE(messages().shown.size(), 1); // asked once for the series
        QCOMPARE(screen().state().count(), 3);
        QVERIFY(!button(u"ChoixFichier"_s)->isEnabled());
        QVERIFY(!list()->isVisible());
        // Undone back to no number, it is still the series drawn without a file.
        for (int i = 0; i < 3; ++i) {
            messages().answer(MsgAnswer::Yes);
            screen().ProcAnnuler();
        }
        QCOMPARE(screen().state().count(), 0);
        QVERIFY(!button(u"ChoixFichier"_s)->isEnabled());
        click(u"Tirage"_s);
        QCOMPARE(screen().state().count(), 1);
        QCOMPARE(messages().last().text.left(30), u"Voulez-vous annuler le dernier"_s);
    }

    void drawingShowsTheNumberEverywhere()
    {
        drawWithoutFile(6);
        const QList<int> sequence = screen().state().sequence();
        const int last = sequence.last();
        QCOMPARE(label(u"Afficheur"_s)->text(), QString::number(last));
        QCOMPARE(screen().series().lastNumber(), std::optional<int>(last));
        for (int n = 1; n <= 90; ++n)
            QCOMPARE(label(u"Resultat(%1)"_s.arg(n - 1))->isVisibleTo(&screen()),
                     sequence.contains(n));
        for (int k = 1; k <= 90; ++k) {
            QLabel* cell = label(u"Chrono(%1)"_s.arg(k));
            // The chronological tab is not the one shown: ask the cells themselves.
            QCOMPARE(!cell->isHidden(), k <= 6);
            QCOMPARE(!label(u"Ordre(%1)"_s.arg(k))->isHidden(), k <= 6);
            if (k <= 6) {
                QCOMPARE(cell->text(), QString::number(sequence[k - 1]));
                QCOMPARE(label(u"Ordre(%1)"_s.arg(k))->text(), QString::number(k));
            }
        }
        QCOMPARE(label(u"Suivi(0)"_s)->text(), QString::number(sequence[5]));
        QCOMPARE(label(u"Suivi(4)"_s)->text(), QString::number(sequence[1]));
        QCOMPARE(m_fakes->sound.clips.size(), 6);
        QCOMPARE(m_fakes->sound.clips.last(), last); // female voice
    }

    void aCompleteSeriesRefusesToDrawUntilReinitialised()
    {
        drawWithoutFile(90);
        QCOMPARE(QSet<int>(screen().state().sequence().begin(), screen().state().sequence().end())
                     .size(),
                 90);
        QCOMPARE(screen().state().sum(), 4095);
        QCOMPARE(messages().shown.size(), 1);
        click(u"Tirage"_s);
        click(u"Tirage"_s);
        QCOMPARE(messages().shown.size(), 3);
        QCOMPARE(messages().last().text, SeriesComplete);
        QCOMPARE(messages().last().icon, MsgIcon::Critical);
        QCOMPARE(messages().last().buttons, MsgButtons::Ok);
        QCOMPARE(screen().state().count(), 90);
    }

    void choosingAFileNamesItInTheTitle()
    {
        chooseFile(u"100-25-12-2000.DAT"_s);
        QCOMPARE(screen().titleCaption(), u"Tirage du 25-12-2000 - 100 grilles"_s);
        QVERIFY(!list()->isVisible());
        QVERIFY(!button(u"ChoixFichier"_s)->isEnabled());
        click(u"Tirage"_s);
        QVERIFY(messages().shown.isEmpty()); // no question with a file active
        QCOMPARE(screen().state().count(), 1);
    }

    void choosingTwiceListsEachFileOnce()
    {
        QDir(m_appDir.path()).mkpath(u"GRILLES"_s);
        for (const QString& name :
             {u"10000-02-02-2000.DAT"_s, u"48-24-12-2000.DAT"_s, u"Verif.dat"_s})
            QVERIFY(QFile(m_appDir.filePath(u"GRILLES/"_s + name)).open(QIODevice::WriteOnly));
        click(u"ChoixFichier"_s);
        click(u"ChoixFichier"_s);
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->itemText(0), u"Tirage du 24-12-2000 - 48 grilles"_s);
        QCOMPARE(list()->itemText(1), u"Tirage du 02-02-2000 - 10000 grilles"_s);
        QVERIFY(list()->isVisible());
        QVERIFY(list()->currentText().isEmpty());
    }

    void noGrillesFolderGivesAnEmptyList()
    {
        click(u"ChoixFichier"_s);
        QVERIFY(list()->isVisible());
        QCOMPARE(list()->count(), 0);
    }

    void timedDrawStartsStopsAndFollowsTheSlider()
    {
        chooseFile(u"100-25-12-2000.DAT"_s);
        click(u"Chrono"_s);
        QVERIFY(button(u"Chrono"_s)->isChecked());
        QVERIFY(screen().timer().isActive());
        QCOMPARE(screen().timer().interval(), 30000);
        QCOMPARE(screen().state().count(), 1); // one number at once
        QVERIFY(!button(u"Tirage"_s)->isEnabled());
        QVERIFY(slider()->isVisible());
        QCOMPARE(label(u"AfficheTemps"_s)->text(), u"30"_s);

        slider()->setValue(6);
        QCOMPARE(label(u"AfficheTemps"_s)->text(), u"60"_s);
        QCOMPARE(screen().timer().interval(), 60000);
        slider()->setValue(1);
        QCOMPARE(label(u"AfficheTemps"_s)->text(), u"10"_s);
        QCOMPARE(screen().timer().interval(), 10000);

        screen().Timer_Timer();
        QCOMPARE(screen().state().count(), 2);

        click(u"Chrono"_s);
        QVERIFY(!screen().timer().isActive());
        QVERIFY(button(u"Tirage"_s)->isEnabled());
        QVERIFY(!slider()->isVisible());
        QVERIFY(!label(u"AfficheTemps"_s)->isVisible());

        click(u"Chrono"_s); // starts again at the chosen interval, one number at once
        QCOMPARE(screen().timer().interval(), 10000);
        QCOMPARE(screen().state().count(), 3);
    }

    void timedDrawWithoutFileAnsweredNoStopsCompletely()
    {
        messages().answer(MsgAnswer::No);
        click(u"Chrono"_s);
        QCOMPARE(messages().last().text, NoFileQuestion);
        QVERIFY(!screen().timer().isActive());
        QVERIFY(!button(u"Chrono"_s)->isChecked());
        QVERIFY(button(u"Tirage"_s)->isEnabled());
        QVERIFY(!slider()->isVisible());
        QCOMPARE(screen().state().count(), 0);
    }

    void completeSeriesStopsTheTimedDrawButKeepsTheSlider()
    {
        drawWithoutFile(89);
        click(u"Chrono"_s); // draws the 90th
        QCOMPARE(screen().state().count(), 90);
        QVERIFY(screen().timer().isActive());
        screen().Timer_Timer();
        QCOMPARE(messages().last().text, SeriesComplete);
        QVERIFY(!screen().timer().isActive());
        QVERIFY(!button(u"Chrono"_s)->isChecked());
        QVERIFY(button(u"Tirage"_s)->isEnabled());
        QVERIFY(slider()->isVisible());
    }

    void ticksWhileADrawMessageIsOpenAreDropped()
    {
        drawWithoutFile(89);
        click(u"Chrono"_s);
        int ticksDuringBox = 0;
        messages().whileOpen = [&] {
            ++ticksDuringBox;
            screen().Timer_Timer(); // the operator is away; ticks keep coming
            screen().Timer_Timer();
        };
        screen().Timer_Timer();
        messages().whileOpen = nullptr;
        QCOMPARE(ticksDuringBox, 1); // one box, not three piled up
        QVERIFY(!screen().timer().isActive());
    }

    void reinitialisationAnsweredNoChangesNothing()
    {
        chooseFile(u"100-25-12-2000.DAT"_s);
        click(u"Chrono"_s);
        messages().answer(MsgAnswer::No);
        click(u"Reinitialiser"_s);
        QCOMPARE(messages().last().text, u"Etes vous sûr de vouloir réinitialiser ?"_s);
        QCOMPARE(messages().last().icon, MsgIcon::Question);
        QCOMPARE(messages().last().buttons, MsgButtons::YesNo);
        QCOMPARE(messages().last().defaultAnswer, MsgAnswer::No); // Enter keeps the series
        QCOMPARE(screen().state().count(), 1);
        QVERIFY(screen().timer().isActive());
        QCOMPARE(screen().titleCaption(), u"Tirage du 25-12-2000 - 100 grilles"_s);
    }

    void reinitialisationAnsweredYesStartsAFreshSeries()
    {
        chooseFile(u"100-25-12-2000.DAT"_s);
        click(u"Chrono"_s);
        screen().Timer_Timer();
        messages().answer(MsgAnswer::Yes);
        click(u"Reinitialiser"_s);
        QCOMPARE(screen().state().count(), 0);
        QCOMPARE(screen().state().sum(), 0);
        QVERIFY(label(u"Afficheur"_s)->text().isEmpty());
        QVERIFY(screen().titleCaption().isEmpty());
        QVERIFY(!screen().series().lastNumber());
        QVERIFY(!screen().timer().isActive());
        QVERIFY(!button(u"Chrono"_s)->isChecked());
        QVERIFY(button(u"ChoixFichier"_s)->isEnabled());
        QVERIFY(button(u"Tirage"_s)->isEnabled());
        QCOMPARE(list()->count(), 0);
        QVERIFY(!slider()->isVisible());
        for (int k = 1; k <= 90; ++k)
            QVERIFY(label(u"Chrono(%1)"_s.arg(k))->isHidden());
        QVERIFY(label(u"Suivi(0)"_s)->text().isEmpty());
        // The question comes back for the new series.
        messages().answer(MsgAnswer::No);
        click(u"Tirage"_s);
        QCOMPARE(messages().last().text, NoFileQuestion);
    }

    void repeatCallsTheLastNumberInTheVoiceChosenNow()
    {
        click(u"Repeter"_s);
        QVERIFY(m_fakes->sound.clips.isEmpty());
        drawWithoutFile(1);
        const int n = *screen().series().lastNumber();
        click(u"Homme"_s);
        QCOMPARE(VoiceChoice::inUse().builtInOffset, 90);
        QVERIFY(!button(u"Femme"_s)->isChecked());
        click(u"Repeter"_s);
        QCOMPARE(m_fakes->sound.clips, QList<int>({n, 90 + n}));
        // The voice survives a new series.
        messages().answer(MsgAnswer::Yes);
        click(u"Reinitialiser"_s);
        QCOMPARE(VoiceChoice::inUse().builtInOffset, 90);
        QVERIFY(button(u"Homme"_s)->isChecked());
        click(u"Repeter"_s); // nothing drawn in the new series: silence
        QCOMPARE(m_fakes->sound.clips.size(), 2);
        click(u"Femme"_s);
        QCOMPARE(VoiceChoice::inUse().builtInOffset, 0);
    }

    void theVoiceInUseShowsPressedWhenTheScreenOpens()
    {
        VoiceChoice::inUse().builtInOffset = 90;
        Tirage again(m_fakes->services);
        QVERIFY(again.barre()->button(u"Homme"_s)->isChecked());
        QVERIFY(!again.barre()->button(u"Femme"_s)->isChecked());
    }

    void leavingStopsTheTimedDraw_data()
    {
        QTest::addColumn<bool>("byToolbar");
        QTest::newRow("Quitter") << true;
        QTest::newRow("window frame") << false;
    }

    void leavingStopsTheTimedDraw()
    {
        QFETCH(bool, byToolbar);
        drawWithoutFile(1);
        click(u"Chrono"_s);
        if (byToolbar)
            click(u"Quitter"_s);
        else
            screen().close();
        QVERIFY(!screen().isVisible());
        QVERIFY(!screen().timer().isActive());
    }

    void escapeDoesNotCloseTheScreen()
    {
        QTest::keyClick(&screen(), Qt::Key_Escape);
        QVERIFY(screen().isVisible());
    }

    void aproposOpensTheDrawHelpTopic()
    {
        HelpKey helpKey(m_fakes->help);
        qApp->installEventFilter(&helpKey);
        click(u"Apropos"_s);
        QVERIFY(m_fakes->help.topics.isEmpty()); // queued, handled after the click returns
        QTRY_COMPARE(m_fakes->help.topics, QList<int>{HelpTopic::Draw});
        qApp->removeEventFilter(&helpKey);
    }

    void verificationNeedsAnActiveFile()
    {
        click(u"VerifGrille"_s);
        QCOMPARE(messages().last().text,
                 u"Un fichier de tirage doit être actif\npour pouvoir vérifier une grille !!"_s);
        click(u"VerifLigne"_s);
        QCOMPARE(messages().last().text,
                 u"Un fichier de tirage doit être actif\npour pouvoir vérifier une ligne !!"_s);
        QCOMPARE(messages().last().icon, MsgIcon::Critical);
    }

    void closingTheResultPanelGivesTheToolbarBack()
    {
        auto* panel = screen().findChild<QWidget*>(u"ResultatGrille"_s);
        auto* tabs = screen().findChild<QWidget*>(u"Onglet"_s);
        tabs->setEnabled(false);
        screen().barre()->setEnabled(false);
        panel->show();
        screen().Quitter_Click();
        QVERIFY(tabs->isEnabled());
        QVERIFY(screen().barre()->isEnabled());
        QVERIFY(!panel->isVisible());
    }

    void theLayoutScalesToFillALargeScreen()
    {
        const int smallDisplay = label(u"Afficheur"_s)->width();
        const int smallFont = label(u"Suivi(0)"_s)->font().pixelSize();
        screen().resize(1920, 1050);
        const int largeDisplay = label(u"Afficheur"_s)->width();
        QVERIFY(largeDisplay * 10 > smallDisplay * 14);
        QVERIFY(label(u"Suivi(0)"_s)->font().pixelSize() * 10 > smallFont * 14);
        // The big display stays square and its font fits two digits.
        QCOMPARE(label(u"Afficheur"_s)->height(), largeDisplay);
        const QFontMetrics metrics(label(u"Afficheur"_s)->font());
        QVERIFY(metrics.horizontalAdvance(u"88"_s) < largeDisplay);
        // Everything stays inside the window.
        const QRect titre = label(u"Titre"_s)->geometry();
        QVERIFY(titre.bottom() < screen().findChild<QWidget*>(u"Fond"_s)->height());
    }
};

QTEST_MAIN(TestTirage)
#include "test_tirage.moc"
