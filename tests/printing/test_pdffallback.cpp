// Printing on a computer without a printer: the grids saved as a PDF the
// organiser names, never over a grid file, never half made.
#include "app/startup.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "platform/atomicfile.h"
#include "platform/savedialog.h"
#include "printing/defaultprinteroutput.h"
#include "printing/gridprinter.h"
#include "printing/pdffallbackoutput.h"

#include <QCryptographicHash>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
const QString Label = u"Impression de 8 grilles pour le tirage du 24-12-2026"_s;
const QString GridName = u"8-24-12-2026.DAT"_s;
const QString Suggestion = u"Grilles du 24-12-2026 - 8.pdf"_s;
const QString Title = u"Enregistrer les grilles en PDF"_s;

QByteArray contents(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString pdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {path, u"-"_s});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}
} // namespace

class TestPdfFallback : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<ScriptedSaveDialog> m_dialog;

    QString documents() const { return m_home.filePath(u"Documents"_s); }
    QString grid() const { return m_app->gridPath(GridName); }
    QList<MessageRequest>& shown() { return m_fakes->messages.shown; }

    void answer(std::initializer_list<MsgAnswer> answers)
    {
        for (MsgAnswer a : answers)
            m_fakes->messages.answer(a);
    }
    void choose(std::initializer_list<QString> paths)
    {
        for (const QString& path : paths)
            m_dialog->answers.enqueue(path);
    }
    bool print()
    {
        PdfFallbackOutput output(m_fakes->messages, m_fakes->shell, *m_dialog);
        return GridPrinter(m_fakes->services, output, m_app->appPath())
            .PrintGridFile(Label, nullptr, nullptr);
    }
    void expectRefusal(int index, const QString& containing)
    {
        QVERIFY(shown().size() > index);
        QCOMPARE(shown()[index].icon, MsgIcon::Exclamation);
        QCOMPARE(shown()[index].title, u"Numerella 4.1"_s);
        QVERIFY2(shown()[index].text.contains(containing), qPrintable(shown()[index].text));
    }

private slots:
    void initTestCase()
    {
        // A home of the test's own: its documents folder, its settings.
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_CONFIG_HOME");
    }

    void init()
    {
        QDir(documents()).removeRecursively();
        QVERIFY(QDir(m_home.path()).mkdir(u"Documents"_s));
        m_app = std::make_unique<AppFolder>();
        m_app->makeCurrent();
        QFile::copy(TestPaths::built(u"LOTO2.DAT"_s), m_app->appPath() + u"LOTO2.DAT"_s);
        m_fakes = std::make_unique<FakeServices>();
        m_dialog = std::make_unique<ScriptedSaveDialog>();
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(8, grid(), {});
    }

    void cleanup()
    {
        m_dialog.reset();
        m_fakes.reset();
        m_app.reset();
    }

    void aPdfIsSavedWhereTheOrganiserChose_data()
    {
        QTest::addColumn<bool>("withDocuments");
        QTest::addColumn<QString>("typed"); // in the folder proposed
        QTest::addColumn<QString>("saved");
        QTest::addColumn<MsgAnswer>("openIt");
        QTest::addColumn<bool>("reader"); // a program on the desktop opens PDFs
        QTest::newRow("a name without .pdf")
            << true << u"Loto de Noël"_s << u"Loto de Noël.pdf"_s << MsgAnswer::No << true;
        QTest::newRow("no documents folder, opened")
            << false << u"grilles.PDF"_s << u"grilles.PDF"_s << MsgAnswer::Yes << true;
        QTest::newRow("a dotted name, no PDF reader")
            << true << u"Loto.2026"_s << u"Loto.2026.pdf"_s << MsgAnswer::Yes << false;
    }

    void aPdfIsSavedWhereTheOrganiserChose()
    {
        QFETCH(bool, withDocuments);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFETCH(MsgAnswer, openIt);
        QFETCH(bool, reader);
        if (!withDocuments)
            QVERIFY(QDir(documents()).removeRecursively());
        const QString folder = withDocuments ? documents() : m_home.path();
        m_fakes->shell.opens = reader;
        answer({MsgAnswer::Yes, openIt});
        choose({folder + u'/' + typed});
        QVERIFY(print());

        QCOMPARE(shown()[0].icon, MsgIcon::Question);
        QVERIFY(shown()[0].text.startsWith(u"Aucune imprimante n'est installée"_s));
        QCOMPARE(m_dialog->asked.size(), 1);
        QCOMPARE(m_dialog->asked[0].first, Title);
        QCOMPARE(m_dialog->asked[0].second, folder + u'/' + Suggestion);

        const QString path = folder + u'/' + saved;
        const QString text = pdfText(path);
        QCOMPARE(text.count(u"Numerella - Tirage du : 24-12-2026"_s), 2);
        QVERIFY(text.contains(u"Grille n° 00008"_s));
        QCOMPARE(entries(folder).filter(u".partiel"_s), QStringList());

        QCOMPARE(shown()[1].icon, MsgIcon::Information);
        QCOMPARE(shown()[1].buttons, MsgButtons::YesNo);
        QCOMPARE(shown()[1].title, u"Numerella 4.1"_s);
        QCOMPARE(shown()[1].text, u"Les grilles ont été enregistrées dans le fichier :\n"_s + path +
                                      u"\n\nVoulez-vous l'ouvrir maintenant ?"_s);
        QCOMPARE(m_fakes->shell.targets,
                 openIt == MsgAnswer::Yes ? QStringList{path} : QStringList());
        QCOMPARE(shown().size(), reader ? 2 : 3);
        if (!reader)
            expectRefusal(2, u"n'a pas pu être ouvert"_s);
    }

    void givingUpSavesNothing_data()
    {
        QTest::addColumn<MsgAnswer>("wantPdf");
        QTest::newRow("Non to the PDF") << MsgAnswer::No;
        QTest::newRow("Annuler in the dialog") << MsgAnswer::Yes;
    }

    void givingUpSavesNothing()
    {
        QFETCH(MsgAnswer, wantPdf);
        const QByteArray before = contents(grid());
        answer({wantPdf});
        QVERIFY(!print());
        QCOMPARE(shown().size(), 1);
        QCOMPARE(m_dialog->asked.size(), wantPdf == MsgAnswer::Yes ? 1 : 0);
        QVERIFY(entries(documents()).isEmpty());
        QCOMPARE(contents(grid()), before);
    }

    void aGridFileIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("chosen"); // relative to the program folder
        QTest::addColumn<QString>("link");   // made first, pointing at "target"
        QTest::addColumn<QString>("target");
        QTest::newRow("the grid file") << u"GRILLES/8-24-12-2026.DAT"_s << QString() << QString();
        QTest::newRow("a PDF in GRILLES") << u"GRILLES/grilles.pdf"_s << QString() << QString();
        QTest::newRow("GRILLES through a link")
            << u"raccourci/grilles.pdf"_s << u"raccourci"_s << u"GRILLES"_s;
        QTest::newRow("the grid file through a link")
            << u"lien.pdf"_s << u"lien.pdf"_s << u"GRILLES/8-24-12-2026.DAT"_s;
    }

    // Refused plainly, and the dialog comes back on the documents folder.
    void aGridFileIsNeverReplaced()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, link);
        QFETCH(QString, target);
        const QString app = m_app->appPath();
        if (!link.isEmpty())
            QVERIFY(QFile::link(app + target, app + link));
        const QByteArray before = contents(grid());
        answer({MsgAnswer::Yes});
        choose({app + chosen, QString()});
        QVERIFY(!print());
        expectRefusal(1, QDir::toNativeSeparators(m_app->grilles()));
        QCOMPARE(m_dialog->asked.size(), 2);
        QCOMPARE(m_dialog->asked[1].second, documents() + u'/' + Suggestion);
        QCOMPARE(shown().size(), 2);
        QCOMPARE(contents(grid()), before);
        QCOMPARE(m_app->grillesEntries(), QStringList{GridName});
    }

    // A name leading to the record is refused too, and the dialog comes back.
    void theRecordIsNeverReplaced()
    {
        const QString record = m_home.filePath(u"tirages.db"_s);
        QFile kept(record);
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("le registre");
        kept.close();
        AppGlobals globals = Param::globals();
        globals.RecordFile = record;
        AtomicFile::protect(protectedPlaces(globals));
        const QString link = documents() + u"/lien.pdf"_s;
        QVERIFY(QFile::link(record, link));
        answer({MsgAnswer::Yes});
        choose({link, QString()});
        const bool printed = print();
        AtomicFile::protect({});
        QVERIFY(!printed);
        QCOMPARE(shown().size(), 2);
        QCOMPARE(shown()[1].text,
                 u"Le fichier PDF ne peut pas être enregistré sous le nom\n"_s + link +
                     u"\n\nDétail : ce nom mène au registre des tirages ("_s + record +
                     u"), qui ne doit jamais être remplacé.\n\nChoisissez un autre nom ou un "
                     "autre dossier."_s);
        QCOMPARE(contents(record), QByteArray("le registre"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(m_dialog->asked.size(), 2);
    }

    // With a printer, grids go straight to it: no dialog, no word.
    void gridsGoStraightToTheDefaultPrinter()
    {
        ScriptedPrinters printers;
        printers.name = u"Salle des fêtes"_s;
        printers.paper = documents() + u"/papier.pdf"_s;
        DefaultPrinterOutput output(m_fakes->messages, m_fakes->shell, *m_dialog, printers);
        QVERIFY(GridPrinter(m_fakes->services, output, m_app->appPath())
                    .PrintGridFile(Label, nullptr, nullptr));
        QCOMPARE(printers.asked, 0);
        QVERIFY(shown().isEmpty());
        QVERIFY(pdfText(printers.paper).contains(u"Grille n° 00008"_s));
    }

    // An existing PDF is replaced only when the organiser says so, and only
    // by a complete one.
    void anExistingPdfOutlivesAFailedPrint()
    {
        const QString path = documents() + u"/ancien.pdf"_s;
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("ancien contenu");
        }
        // The grid file vanishes while the organiser answers: the print fails.
        m_fakes->messages.whileOpen = [this] {
            if (shown().size() == 3)
                QFile::remove(grid());
        };
        answer({MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Yes});
        choose({path, path});
        QVERIFY(!print());
        QCOMPARE(shown()[1].icon, MsgIcon::Question);
        QCOMPARE(shown()[1].text,
                 u"Le fichier\n"_s + path + u"\nexiste déjà.\n\nVoulez-vous le remplacer ?"_s);
        QCOMPARE(shown()[1].defaultAnswer, MsgAnswer::No);
        QCOMPARE(m_dialog->asked.size(), 2);
        QCOMPARE(m_dialog->asked[1].second, path); // Non: the dialog again, on that name
        QCOMPARE(shown().last().icon, MsgIcon::Critical);
        QVERIFY(shown().last().text.contains(u"introuvable"_s));
        QCOMPARE(contents(path), QByteArray("ancien contenu"));
        QCOMPARE(entries(documents()), QStringList{u"ancien.pdf"_s});

        m_fakes->messages.whileOpen = nullptr;
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(8, grid(), {});
        shown().clear();
        answer({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::No});
        choose({path});
        QVERIFY(print());
        QVERIFY(pdfText(path).contains(u"Numerella - Tirage du : 24-12-2026"_s));
        QCOMPARE(entries(documents()), QStringList{u"ancien.pdf"_s});
    }

    // A full disk: the PDF writer says nothing, the file is cut short. It
    // must neither be announced as saved nor replace the PDF already there.
    void aFullDiskReplacesNothing()
    {
        const QString disk = documents() + u"/petit"_s;
        QVERIFY(QDir().mkpath(disk));
        if (QProcess::execute(u"mount"_s,
                              {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=16k"_s, u"tmpfs"_s, disk}) != 0)
            QSKIP("a small disk needs the right to mount one");
        const QString path = disk + u"/garde.pdf"_s;
        {
            QFile kept(path);
            QVERIFY(kept.open(QIODevice::WriteOnly));
            kept.write(QByteArray(6000, 'x'));
        }
        const QByteArray before = contents(path);
        answer({MsgAnswer::Yes, MsgAnswer::Yes});
        choose({path});
        const bool printed = print();
        const QStringList left = entries(disk);
        const QByteArray after = contents(path);
        QProcess::execute(u"umount"_s, {disk});
        QVERIFY(!printed);
        QCOMPARE(shown().last().icon, MsgIcon::Critical);
        QVERIFY2(shown().last().text.contains(u"le disque est peut-être plein"_s),
                 qPrintable(shown().last().text));
        QCOMPARE(after, before);
        QCOMPARE(left, QStringList{u"garde.pdf"_s});
    }

    // The real dialog proposes the name given and leaves no QtProject.conf.
    void theFileDialogKeepsNoSettings()
    {
        const QString proposed = documents() + u'/' + Suggestion;
        const QString chosen = documents() + u"/essai"_s; // typed, in the folder shown
        QString shownSelection;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                poll.stop();
                shownSelection = dialog->selectedFiles().value(0);
                dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(u"essai"_s);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        poll.start(20);
        QtSaveDialog dialog;
        QCOMPARE(dialog.ask(nullptr, Title, proposed, u"Documents PDF (*.pdf)"_s), chosen);
        QCOMPARE(shownSelection, proposed);
        const QSettings qtProject(QSettings::UserScope, u"QtProject"_s);
        QVERIFY2(qtProject.fileName().startsWith(m_home.path()), qPrintable(qtProject.fileName()));
        QVERIFY2(!QFile::exists(qtProject.fileName()), qPrintable(qtProject.fileName()));
    }
};

QTEST_MAIN(TestPdfFallback)
#include "test_pdffallback.moc"
