#include "draw/drawgridfile.h"
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/testpaths.h"
#include "game/gamerecord.h"
#include "game/phasecheck.h"
#include "game/programmestore.h"
#include "grids/cardcode.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "platform/param.h"
#include "verify/resultpanel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
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

    QLabel* label(const QString& name) { return m_screen->findChild<QLabel*>(name); }

    QList<QPair<int, Grid>> grids()
    {
        QList<QPair<int, Grid>> out;
        DrawGridFile::choose(Param::AppPath(), Title, &out);
        return out;
    }

    // A line check of a grid, as the operator types its number.
    void checkLine(int grid)
    {
        m_fakes->input.answers.enqueue(QString::number(grid));
        m_screen->ProcVerifLigne();
    }

    ResultPanel* panel() { return m_screen->findChild<ResultPanel*>(u"ResultatGrille"_s); }

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
        globals.RecordFile = m_appDir.filePath(u"tirages.db"_s);
        Param::setGlobals(globals);
        m_fakes = std::make_unique<FakeServices>();
        GridFileBuilder(Param::AppPath(), m_fakes->random, m_fakes->clock)
            .build(100, m_appDir.filePath(u"GRILLES/"_s + FileName), {});
    }

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
                               .arg(expected.size() < 2 ? QString() : u"s"_s));
        }
        QVERIFY(!label(u"GagnantsPossibles"_s)->toolTip().isEmpty());
        QVERIFY(label(u"GagnantsPossibles"_s)->toolTip().startsWith(u"000"_s));
    }

    void aGridTheProgrammeRulesOutSaysSoFirst()
    {
        Programme programme = Programme::standard();
        programme.games[0].phases = {{Phase::DoubleQuine, u"Un jambon"_s}};
        programme.sold = *SoldGrids::parse(u"1-50"_s);
        QVERIFY(ProgrammeStore(Param::ProgrammeFolder()).save(FileName, programme).isEmpty());
        chooseFile();

        // A sold grid and an unsold one, each with its first line out and no other.
        const auto all = grids();
        const auto firstLine = [](const Grid& g) {
            QList<int> line;
            for (int c = 1; c <= 9; ++c)
                if (g.at(1, c))
                    line.append(g.at(1, c));
            return line;
        };
        const auto& [sold, soldGrid] = all[10];
        const auto& [unsold, unsoldGrid] = all[80];
        const QList<int> out = firstLine(soldGrid) + firstLine(unsoldGrid);
        DrawSeries& series = m_screen->series();
        for (int n : out)
            series.draw(n, DrawMethod::Hand);
        const PhaseCheck soldCheck =
            checkPhase(soldGrid, series.state().sequence(), Phase::DoubleQuine);
        const PhaseCheck unsoldCheck =
            checkPhase(unsoldGrid, series.state().sequence(), Phase::DoubleQuine);
        QCOMPARE(soldCheck.fullLines + unsoldCheck.fullLines, 2);

        const auto held = [](int grid) {
            return u"La ligne 1 de la grille numéro "_s + gridNumberText(grid) +
                   u" est gagnante !!\n"_s;
        };
        checkLine(sold);
        const QByteArray secret =
            *GridFile(m_appDir.filePath(u"GRILLES/"_s + FileName), GridFile::Access::ReadOnly)
                 .cardSecret();
        const QString oneLine = u"La grille numéro "_s + gridNumberText(sold) +
                                u" n'a qu'une ligne : il en faut deux pour la double quine.\n\n"_s +
                                held(sold) + u"Code de contrôle : "_s +
                                CardCode::of(secret, sold, soldGrid) + u'\n' +
                                soldCheck.missingText();
        QCOMPARE(m_fakes->messages.last().text, oneLine);
        QCOMPARE(m_fakes->messages.last().icon, MsgIcon::Exclamation);
        checkLine(unsold);
        const QString notSold = u"La grille numéro "_s + gridNumberText(unsold) +
                                u" n'a pas été vendue : elle ne peut pas gagner.\n\n"_s +
                                held(unsold) + u"Code de contrôle : "_s +
                                CardCode::of(secret, unsold, unsoldGrid) + u'\n' +
                                unsoldCheck.explanation();
        QCOMPARE(m_fakes->messages.last().text, notSold);
        QVERIFY(!panel()->isVisible());

        // The record keeps the words the operator read.
        const QList<RecordedEvent> events =
            GameRecord(Param::RecordFile()).series(series.recordId()).events;
        QCOMPARE(events[events.size() - 2].verdict, oneLine);
        QCOMPARE(events.last().verdict, notSold);
    }

    void pastTheProgrammesEndItIsSaidAndNoGameIsRecorded()
    {
        Programme programme = Programme::standard();
        programme.games[0].phases = {{Phase::Quine, {}}};
        QVERIFY(ProgrammeStore(Param::ProgrammeFolder()).save(FileName, programme).isEmpty());
        chooseFile();
        DrawSeries& series = m_screen->series();
        series.draw(1, DrawMethod::Hand);
        series.validateWin(1, Phase::Quine);
        QCOMPARE(label(u"Partie"_s)->text(), u"Partie 1 terminée"_s);
        m_fakes->messages.answer(MsgAnswer::Yes);
        m_screen->ProcReinit();
        const qsizetype kept = GameRecord(Param::RecordFile()).summaries().size();

        chooseFile();
        QCOMPARE(m_fakes->messages.last().icon, MsgIcon::Information);
        QCOMPARE(m_fakes->messages.last().text,
                 u"Le programme de la soirée est terminé : toutes ses parties ont été jouées.\n\n"
                 "Les numéros tirés maintenant ne comptent pour aucune partie. Pour jouer une "
                 "partie de plus, ajoutez-la d'abord au programme de la soirée."_s);
        QCOMPARE(label(u"Partie"_s)->text(), u"Programme terminé"_s);
        QCOMPARE(GameRecord(Param::RecordFile()).summaries().size(), kept);
        // A number drawn all the same makes a series of no game.
        series.draw(2, DrawMethod::Hand);
        const RecordedSeries extra = GameRecord(Param::RecordFile()).series(series.recordId());
        QCOMPARE(extra.link.game, 0);
        QVERIFY(!extra.programme);
        m_fakes->messages.answer(MsgAnswer::Yes);
        m_screen->ProcReinit();
    }

    void twoWinnersOfOneNumberAreBothValidatedAndTheNextGameFollows()
    {
        Programme programme = Programme::standard();
        programme.games[0].phases = {{Phase::Quine, u"Un jambon"_s}, {Phase::CartonPlein, {}}};
        programme.games.append({{{Phase::Quine, u"Un vélo"_s}}});
        programme.sold = *SoldGrids::parse(u"1-99"_s);
        QVERIFY(ProgrammeStore(Param::ProgrammeFolder()).save(FileName, programme).isEmpty());
        chooseFile();

        // Two grids whose first lines share a number: drawn last, it makes
        // two winners at once.
        const auto all = grids();
        int a = 0, b = 0, shared = 0;
        QList<int> lineA, lineB;
        for (int i = 0; i < all.size() && !shared; ++i)
            for (int j = i + 1; j < all.size() && !shared; ++j) {
                lineA.clear();
                lineB.clear();
                for (int c = 1; c <= 9; ++c) {
                    if (all[i].second.at(1, c))
                        lineA.append(all[i].second.at(1, c));
                    if (all[j].second.at(1, c))
                        lineB.append(all[j].second.at(1, c));
                }
                for (int n : lineA)
                    if (lineB.contains(n) && all[j].first <= 99)
                        shared = n, a = all[i].first, b = all[j].first;
            }
        QVERIFY(shared);
        DrawSeries& series = m_screen->series();
        for (int n : lineA + lineB)
            if (n != shared)
                series.draw(n, DrawMethod::Hand);
        series.draw(shared, DrawMethod::Hand);

        checkLine(a);
        QVERIFY(panel()->isVisible());
        // The card's code beside the verdict, to compare with the card in hand.
        const QByteArray secret =
            *GridFile(m_appDir.filePath(u"GRILLES/"_s + FileName), GridFile::Access::ReadOnly)
                 .cardSecret();
        const auto gridA =
            std::find_if(all.begin(), all.end(), [&](const auto& g) { return g.first == a; });
        QVERIFY(panel()->details()->text().startsWith(u"Code de contrôle : "_s +
                                                      CardCode::of(secret, a, gridA->second) +
                                                      u"\nComplète au "_s));
        QPushButton* validate = panel()->validateButton();
        QVERIFY(validate->isVisible());
        QCOMPARE(validate->accessibleName(), u"Valider le gagnant"_s);
        const int questions = int(m_fakes->messages.shown.size());
        validate->click();
        QCOMPARE(m_fakes->messages.shown.size(), questions); // no question
        QVERIFY(!validate->isVisible());
        QCOMPARE(series.shownWin()->validated,
                 u"Gagnant validé - Quine : grille %1 - Un jambon"_s.arg(a));
        QCOMPARE(label(u"Partie"_s)->text(), u"Partie 1 - Carton plein"_s);
        QCOMPARE(series.hallLine(), u"Quine : grille %1 - Un jambon"_s.arg(a));
        panel()->closeButton()->click();

        // The same grid again is not a second winner; the other one is.
        checkLine(a);
        QVERIFY(!panel()->isVisible());
        QVERIFY(m_fakes->messages.last().text.startsWith(
            u"La grille numéro %1 a déjà été validée dans cette partie : quine.\n\nLa ligne 1 "_s
                .arg(gridNumberText(a))));
        panel()->closeButton()->click();
        checkLine(b);
        QVERIFY(panel()->validateButton()->isVisible());
        panel()->validateButton()->click();
        panel()->closeButton()->click();

        // A number winners were validated on cannot be taken back.
        m_screen->ProcAnnuler();
        QVERIFY(m_fakes->messages.last().text.contains(u"ne peut plus être annulé"_s));
        QVERIFY(!series.undoLast()); // the series itself refuses it
        QCOMPARE(series.state().sequence().last(), shared);

        // The next number closes the quine: a line is no longer a claim.
        int next = 1;
        while (series.state().isDrawn(next))
            ++next;
        series.draw(next, DrawMethod::Hand);
        checkLine(b);
        QVERIFY(!panel()->isVisible());
        QCOMPARE(m_fakes->messages.last().icon, MsgIcon::Exclamation);
        QVERIFY(m_fakes->messages.last().text.startsWith(
            u"La grille numéro %1 n'est pas pleine : en carton plein, c'est la grille entière qui "
            "gagne.\n\nLa ligne 1 "_s.arg(gridNumberText(b))));
        QVERIFY(
            m_fakes->messages.last().text.contains(u"Déjà validée dans cette partie : quine."_s));
        QCOMPARE(series.hallLine(), u"Partie 1 - Carton plein"_s);

        // A grid nobody bought cannot win.
        checkLine(100);
        QVERIFY(!panel()->isVisible());
        QVERIFY(m_fakes->messages.last().text.contains(u"n'a pas été vendue"_s));

        // The full card ends the game; the next one starts with a new series.
        for (int n = 1; n <= 90; ++n)
            series.draw(n, DrawMethod::Hand);
        m_fakes->input.answers.enqueue(QString::number(a));
        m_screen->ProcVerifGrille();
        panel()->validateButton()->click();
        panel()->closeButton()->click();
        QCOMPARE(label(u"Partie"_s)->text(), u"Partie 1 terminée"_s);
        const qint64 first = series.recordId();
        m_fakes->messages.answer(MsgAnswer::Yes);
        m_screen->ProcReinit();
        chooseFile();
        QCOMPARE(label(u"Partie"_s)->text(), u"Partie 2 - Quine - Un vélo"_s);
        // Its row in the record waits for its first number.
        QCOMPARE(series.recordId(), 0);
        series.draw(next, DrawMethod::Hand);

        GameRecord record(Param::RecordFile());
        const RecordedSeries firstSeries = record.series(first);
        QCOMPARE(firstSeries.wins.size(), 3);
        const RecordedWin& winA = firstSeries.wins[0];
        const RecordedWin& winB = firstSeries.wins[1];
        QCOMPARE((QList<int>{winA.grid, winB.grid}), (QList<int>{a, b}));
        QCOMPARE(winB.numberCount, winA.numberCount);
        QCOMPARE(winB.lastNumber, shared);
        QCOMPARE(winB.prize, u"Un jambon"_s);
        QCOMPARE(firstSeries.wins[2].phase, Phase::CartonPlein);
        const RecordedSeries second = record.series(series.recordId());
        QCOMPARE(second.link.follows, first);
        QCOMPARE(second.link.evening, firstSeries.link.evening);
        QCOMPARE(second.link.game, 2);
        m_fakes->messages.answer(MsgAnswer::Yes);
        m_screen->ProcReinit();

        // The draw screen closed and opened again: the evening goes on if asked.
        m_screen = std::make_unique<Tirage>(m_fakes->services);
        m_fakes->messages.answer(MsgAnswer::Yes);
        chooseFile();
        QVERIFY(m_fakes->messages.last().text.contains(u"3 gagnants validés"_s));
        QCOMPARE(label(u"Partie"_s)->text(), u"Partie 2 - Quine - Un vélo"_s);
        m_screen = std::make_unique<Tirage>(m_fakes->services);
        m_fakes->messages.answer(MsgAnswer::No);
        chooseFile();
        QCOMPARE(label(u"Partie"_s)->text(), u"Partie 1 - Quine - Un jambon"_s);
    }
};

QTEST_MAIN(TestEvening)
#include "test_evening.moc"
