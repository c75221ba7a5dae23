#include "app/startup.h"
#include "evening/organiser.h"
#include "fakes/fakeservices.h"
#include "game/gamerecord.h"
#include "game/seriescsv.h"
#include "platform/atomicfile.h"
#include "platform/param.h"
#include "platform/printers.h"
#include "printing/defaultprinteroutput.h"
#include "printing/drawreport.h"
#include "printing/eveningsummary.h"
#include "printing/seriesexport.h"
#include "printing/tiragesenregistres.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {
QByteArray contents(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString pdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// A whole evening's series: every number, some checks and undos.
RecordedSeries fullSeries(int checks)
{
    RecordedSeries s;
    s.id = 1;
    s.started = QDateTime(QDate(2026, 12, 24), QTime(20, 31));
    s.ended = s.started.addSecs(3600);
    s.state = SeriesState::Reinitialised;
    s.file = {u"Tirage du 24-12-2026 - 500 grilles"_s, u"500-24-12-2026.DAT"_s, u"24-12-2026"_s,
              500, QString(64, u'f')};
    QDateTime at = s.started;
    for (int n = 1; n <= 90; ++n) {
        at = at.addSecs(30);
        RecordedEvent e;
        e.at = at;
        e.position = n;
        e.value = 91 - n;
        e.method = n % 3 ? DrawMethod::Timed : DrawMethod::Hand;
        s.events << e;
        if (n == 40) {
            e.kind = RecordedEvent::Kind::Undo;
            s.events << e;
            e.kind = RecordedEvent::Kind::Number; // drawn again at once
            s.events << e;
        }
    }
    for (int k = 0; k < checks; ++k) {
        RecordedEvent e;
        e.kind = k % 2 ? RecordedEvent::Kind::LineCheck : RecordedEvent::Kind::GridCheck;
        e.at = at;
        e.entry = QString::number(k + 1).rightJustified(4, u'0');
        e.verdict = u"La grille numéro "_s + e.entry + u" est perdante.\nIl manque 3 numéros."_s;
        e.matches = 12;
        s.events << e;
    }
    return s;
}
} // namespace

class TestDrawReport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<FakeServices> m_fakes;

    QString recordPath() const { return m_dir.filePath(u"tirages.db"_s); }

private slots:
    void init()
    {
        m_fakes = std::make_unique<FakeServices>();
        QFile::remove(recordPath());
        Param::setGlobals(
            AppGlobals::compose(m_dir.filePath(u"numerella"_s), QDateTime::currentDateTime()));
    }

    void csvIsATableForFrenchSpreadsheets()
    {
        RecordedSeries s = fullSeries(1);
        s.events.last().entry = u"=HYPERLINK(\"x\")"_s;
        s.events.last().verdict = u"Perdu ; vraiment\n\"non\""_s;
        const QByteArray csv = seriesCsv(s);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QStringList rows = QString::fromUtf8(csv.mid(3)).split(u"\r\n"_s);
        QCOMPARE(rows.size(), 1 + 92 + 1 + 1); // heading, events, check, the final line end
        QCOMPARE(rows[0], u"Tirage;Date;Heure;Événement;Rang;Numéro;Manière;Grille;Verdict;"
                          "Numéros tirés de la grille"_s);
        QCOMPARE(rows[1], u"Tirage du 24-12-2026 - 500 grilles;24/12/2026;20:31:30;Numéro;1;90;"
                          "minuté;;;"_s);
        QCOMPARE(rows[41], u"Tirage du 24-12-2026 - 500 grilles;24/12/2026;20:51:00;Annulation;"
                           "40;51;;;;"_s);
        QCOMPARE(rows[93], u"Tirage du 24-12-2026 - 500 grilles;24/12/2026;21:16:00;"
                           "Vérification de grille;;;;\"'=HYPERLINK(\"\"x\"\")\";"
                           "\"Perdu ; vraiment\n\"\"non\"\"\";12"_s);
    }

    void aWholeSeriesHoldsOnOneA4Page()
    {
        const QString pdf = m_dir.filePath(u"rapport.pdf"_s);
        QPdfWriter writer(pdf);
        DrawReport::setUpPage(writer);
        QCOMPARE(DrawReport(fullSeries(6)).pageCount(writer), 1);
        QCOMPARE(DrawReport(fullSeries(120)).pageCount(writer), 3);
    }

    void thePrintedReportSaysEverything()
    {
        RecordedSeries s = fullSeries(70);
        s.events.last().matches = 1;
        QVERIFY(SeriesExport::printReport(m_fakes->services, s, nullptr));
        const QString text = pdfText(m_fakes->printer.path());
        for (
            const QString& expected :
            {u"Rapport du tirage"_s, u"Tirage : Tirage du 24-12-2026 - 500 grilles"_s,
             u"Fichier de grilles : 500-24-12-2026.DAT"_s, QString(64, u'f'),
             u"Début : 24/12/2026 à 20:31:00"_s, u"Fin : 24/12/2026 à 21:31:00"_s,
             u"(tirage réinitialisé)"_s, u"1. 90 20:31:30 minuté"_s, u"40. 51 20:51:00 annulé"_s,
             u"40. 51 20:51:00 minuté"_s, u"90. 1 21:16:00 à la main"_s,
             u"grille 0001 (12 tirés) : La grille numéro 0001 est perdante. Il manque 3 numéros."_s,
             u"le 51, 40e numéro tiré, annulé"_s, u"grille 0070 (1 tiré)"_s, u"page 1 / 2"_s,
             u"page 2 / 2"_s}) {
            QVERIFY2(text.simplified().contains(expected.simplified()), qPrintable(expected));
        }
    }

    void theListShowsNewestFirstAndDeletesOnlyAfterYes()
    {
        {
            GameRecord record(recordPath());
            for (int k = 0; k < 3; ++k) {
                const qint64 id =
                    record.startSeries({}, QDateTime(QDate(2026, 12, 24), QTime(20, 10 * k)));
                RecordedEvent e;
                e.value = 5 + k;
                e.position = 1;
                record.addEvent(id, e);
            }
        }
        auto* window = TiragesEnregistres::open(m_fakes->services, recordPath(), nullptr);
        QVERIFY(window);
        QTreeWidget* list = window->liste();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(0), u"24/12/2026 20:20"_s);
        QCOMPARE(list->topLevelItem(0)->text(1), u"sans fichier de tirage"_s);
        QCOMPARE(list->topLevelItem(0)->text(2), u"1"_s);
        QCOMPARE(list->topLevelItem(0)->text(3), u"interrompu"_s);

        window->Supprimer_Click(); // unanswered: Non
        QCOMPARE(m_fakes->messages.last().text,
                 u"Voulez-vous supprimer du registre le tirage du 24/12/2026 20:20 (sans fichier "
                 "de tirage, 1 numéro) ?\n\nCette suppression est définitive."_s);
        QCOMPARE(m_fakes->messages.last().defaultAnswer, MsgAnswer::No);
        QCOMPARE(list->topLevelItemCount(), 3);
        m_fakes->messages.answer(MsgAnswer::Yes);
        window->Supprimer_Click();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(GameRecord(recordPath()).summaries().size(), 2);
        delete window;
    }

    void theCsvIsSavedWholeOrNotAtAll()
    {
        {
            GameRecord record(recordPath());
            record.startSeries({}, QDateTime(QDate(2026, 12, 24), QTime(20, 0)));
        }
        std::unique_ptr<TiragesEnregistres> window(
            TiragesEnregistres::open(m_fakes->services, recordPath(), nullptr));
        const QString blocked = m_dir.filePath(u"bloque"_s);
        QVERIFY(QDir().mkpath(blocked + u"/export.csv"_s)); // a folder holds the name
        m_fakes->saveDialog.answers << blocked + u"/export.csv"_s << m_dir.filePath(u"export"_s);
        window->Exporter_Click();
        QCOMPARE(m_fakes->messages.last().icon, MsgIcon::Critical);
        QVERIFY(m_fakes->messages.last().text.startsWith(u"Le fichier\n"_s));
        QCOMPARE(QDir(blocked).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(m_fakes->saveDialog.asked[0].second.endsWith(
            u"/Rapport du tirage du 24-12-2026 à 20h00.csv"_s));

        window->Exporter_Click();
        QFile saved(m_dir.filePath(u"export.csv"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("\xEF\xBB\xBFTirage;Date;"));
    }

    // An earlier table is replaced only after Oui and only by a whole one;
    // where the table went is said.
    void anEarlierCsvIsReplacedOnlyWhenAllowedAndOnlyWhole()
    {
        const QString path = m_dir.filePath(u"ancien.csv"_s);
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("ancien tableau");
        }
        ScriptedMessages& messages = m_fakes->messages;
        m_fakes->saveDialog.answers << path << path << path;
        messages.answer(MsgAnswer::No);
        messages.answer(MsgAnswer::Yes);
        AtomicFile::injectWriteFault(0, ENOSPC); // the disk is full
        const bool exported = SeriesExport::exportCsv(m_fakes->services, fullSeries(0), nullptr);
        AtomicFile::injectWriteFault(0, 0);
        QVERIFY(!exported);
        QCOMPARE(messages.shown.size(), 3);
        QCOMPARE(messages.shown[0].icon, MsgIcon::Question);
        QCOMPARE(messages.shown[0].defaultAnswer, MsgAnswer::No);
        QCOMPARE(messages.shown[0].text,
                 u"Le fichier\n"_s + path + u"\nexiste déjà.\n\nVoulez-vous le remplacer ?"_s);
        QCOMPARE(m_fakes->saveDialog.asked[1].second, path); // Non: the dialog again, on that name
        QCOMPARE(messages.last().icon, MsgIcon::Critical);
        QCOMPARE(messages.last().text,
                 u"Le fichier\n"_s + path + u"\nn'a pas pu être enregistré : disque plein."_s);
        QCOMPARE(contents(path), QByteArray("ancien tableau"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Hidden | QDir::Files).filter(u"partiel"_s),
                 QStringList());

        messages.answer(MsgAnswer::Yes);
        QVERIFY(SeriesExport::exportCsv(m_fakes->services, fullSeries(0), nullptr));
        QCOMPARE(messages.last().icon, MsgIcon::Information);
        QCOMPARE(messages.last().text, u"Le tirage a été exporté dans le fichier :\n"_s + path);
        QVERIFY(contents(path).startsWith("\xEF\xBB\xBFTirage;Date;"));
    }

    // With a printer, a report asks which one and how many copies, then says
    // where it went; Annuler prints nothing and says nothing.
    void aReportGoesWhereTheOrganiserSays()
    {
        ScriptedPrinters printers;
        printers.name = u"Salle des fêtes"_s;
        printers.paper = m_dir.filePath(u"papier.pdf"_s);
        DefaultPrinterOutput output(m_fakes->messages, m_fakes->shell, m_fakes->saveDialog,
                                    printers);
        FakeServices& f = *m_fakes;
        Services services{f.messages, f.input,  f.clock, f.random,     f.help,
                          f.shell,    f.screen, output,  f.saveDialog, f.sound};
        const QList<RecordedSeries> evening{fullSeries(0)};
        QVERIFY(!SeriesExport::printEveningSummary(services, evening, nullptr));
        QCOMPARE(printers.asked, 1);
        QVERIFY(f.messages.shown.isEmpty());
        QVERIFY(!QFile::exists(printers.paper));

        printers.answers.enqueue({u"Bureau"_s, 2});
        QVERIFY(SeriesExport::printEveningSummary(services, evening, nullptr));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.last().icon, MsgIcon::Information);
        QCOMPARE(f.messages.last().text,
                 u"Le résumé de la soirée a été envoyé à l'imprimante :\nBureau (2 exemplaires)"_s);
        QVERIFY(pdfText(printers.paper).contains(u"Résumé de la soirée"_s));

        printers.answers.enqueue({u"Salle des fêtes"_s, 1});
        QVERIFY(SeriesExport::printReport(services, fullSeries(0), nullptr));
        QCOMPARE(f.messages.last().text,
                 u"Le rapport du tirage a été envoyé à l'imprimante :\nSalle des fêtes"_s);
        QCOMPARE(printers.asked, 3);
    }

    // Set once, the organiser heads the evening's papers.
    void theOrganiserHeadsTheSummaryAndTheReport()
    {
        const AppGlobals before = Param::globals();
        AppGlobals globals = before;
        globals.OrganiserFile = m_dir.filePath(u"organisateur.json"_s);
        const Organiser kept{u"Comité des fêtes de Saint-Martin"_s, u"Salle des fêtes"_s, {}, {}};
        QVERIFY(kept.write(globals.OrganiserFile).isEmpty());
        Param::setGlobals(globals);
        const QString organiser =
            u"Organisateur : Comité des fêtes de Saint-Martin - Salle des fêtes"_s;
        QCOMPARE(EveningSummary({fullSeries(0)}).lines().value(0).text, organiser);
        const QString path = m_dir.filePath(u"rapport.pdf"_s);
        {
            QPdfWriter pdf(path);
            DrawReport(fullSeries(0)).render(pdf);
        }
        Param::setGlobals(before);
        QVERIFY(pdfText(path).contains(organiser));
    }

    void aDamagedRecordIsExplainedAndLeftAlone()
    {
        QFile f(recordPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        QVERIFY(!TiragesEnregistres::open(m_fakes->services, recordPath(), nullptr));
        QVERIFY(m_fakes->messages.last().text.contains(u"n'est pas un registre"_s));
        QCOMPARE(QFileInfo(recordPath()).size(), 4096);
    }

    void theEveningAndItsWinnersAreReported()
    {
        QVERIFY(!SeriesExport::printLatestEvening(m_fakes->services, recordPath(), nullptr));
        QVERIFY(m_fakes->messages.last().text.startsWith(u"Aucune soirée"_s));

        // Two games of a programme of many: the second one still being played.
        Programme programme = Programme::standard();
        programme.games[0].phases[0].prize = u"Un jambon"_s;
        for (int g = 0; g < 60; ++g)
            programme.games.append(Programme::standard().games[0]);
        programme.sold = *SoldGrids::parse(u"1-400"_s);
        const SeriesFile file = fullSeries(0).file;
        const QDateTime at(QDate(2026, 12, 24), QTime(20, 30));
        qint64 first = 0;
        {
            GameRecord record(recordPath());
            first = record.startSeries(file, at, {0, 0, 1}, &programme);
            for (int n : {4, 17, 33}) {
                RecordedEvent e;
                e.at = at;
                e.value = n;
                record.addEvent(first, e);
            }
            // The second one validated a number after it won.
            const QString jambon = u"Un jambon"_s;
            record.addWin(first, {1, Phase::Quine, 12, 2, 17, at.addSecs(300), jambon, 2, 17});
            record.addWin(first, {1, Phase::Quine, 57, 3, 33, at.addSecs(300), jambon, 2, 17});
            record.setState(first, SeriesState::Reinitialised, at.addSecs(900));
            record.startSeries(file, at.addSecs(960), {first, first, 2}, &programme);
        }
        QVERIFY(SeriesExport::printLatestEvening(m_fakes->services, recordPath(), nullptr));
        const QString summary = pdfText(m_fakes->printer.path());
        for (const QString& expected :
             {u"Résumé de la soirée"_s, u"Grilles : Tirage du 24-12-2026 - 500 grilles"_s,
              u"Soirée du 24/12/2026, de 20:30 à 20:46"_s,
              u"Parties jouées : 1 sur 61 au programme ; gagnants validés : 2"_s,
              u"Grilles vendues : 1-400"_s, u"Partie 1 - 3 numéros tirés"_s,
              u"Quine - Un jambon : grille 12 au 2e numéro (le 17), validée à 20:35"_s,
              u"Quine - Un jambon : grille 57 au 2e numéro (le 17), validée au 3e à 20:35"_s,
              u"Double quine : pas de gagnant"_s, u"Parties 2 à 61 - pas jouées"_s})
            QVERIFY2(summary.simplified().contains(expected), qPrintable(expected));
        QCOMPARE(summary.count(u'\f'), 1); // one page, however long the programme

        // The report of one series gives its game, phase by phase.
        QVERIFY(SeriesExport::printReport(m_fakes->services, GameRecord(recordPath()).series(first),
                                          nullptr));
        const QString report = pdfText(m_fakes->printer.path()).simplified();
        QVERIFY(report.contains(u"Partie 1 du programme"_s));
        QVERIFY(report.contains(u"Quine - Un jambon : grille 57 au 2e numéro"_s));
        QVERIFY(report.contains(u"Carton plein : pas de gagnant"_s));
    }

    // Qt's own print dialog reads French; Annuler gives the print up.
    void thePrintDialogSpeaksFrench()
    {
        installFrenchTranslation(*qApp);
        QStringList texts;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            texts << dialog->windowTitle();
            for (const QWidget* widget : dialog->findChildren<QWidget*>()) {
                texts << widget->toolTip();
                if (const auto* label = qobject_cast<const QLabel*>(widget))
                    texts << label->text();
                if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
                    texts << button->text();
                if (const auto* box = qobject_cast<const QGroupBox*>(widget))
                    texts << box->title();
            }
            dialog->reject();
        });
        poll.start(20);
        QPrinter printer;
        QCOMPARE(SystemPrinters().choose(printer, nullptr), QString());
        QCOMPARE(texts.value(0), u"Imprimer"_s);
        for (const QString& french :
             {u"Im&primer"_s, u"Annuler"_s, u"Copies :"_s, u"Recto verso"_s, u"Non"_s})
            QVERIFY2(texts.contains(french), qPrintable(french));
        for (const QString& english :
             {u"&Print"_s, u"Cancel"_s, u"Printer"_s, u"Copies:"_s, u"Collate"_s, u"Off"_s,
              u"Long side binding"_s, u"Short side binding"_s, u"Double Sided Printing"_s})
            QVERIFY2(!texts.contains(english), qPrintable(english));
        QVERIFY(texts.filter(u"Specify pages"_s).isEmpty());
    }
};

QTEST_MAIN(TestDrawReport)
#include "test_drawreport.moc"
