// The program installed by an administrator and run by an organiser who may
// not write beside it: what works, and what is refused plainly. Run as root,
// this test gives root's rights up first, so the permissions bite.
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "fakes/unprivileged.h"
#include "game/drawstate.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"
#include "printing/edition.h"
#include "printing/gridprinter.h"
#include "printing/pdffallbackoutput.h"
#include "verify/gridverifier.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QProcess>
#include <QStyleHints>
#include <QTest>
#include <QToolButton>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;

namespace {
const QString Name = u"8-01-01-2001.DAT"_s;

const QFileDevice::Permissions ReadOnly =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup;
const QFileDevice::Permissions ReadWrite = ReadOnly | QFileDevice::WriteOwner;

QByteArray digest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class TestReadOnlyInstall : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<FakeServices> m_fakes;

    QString placed() const { return m_app->gridPath(Name); }

    void buildPlaced()
    {
        GridFolder::make(m_app->appPath());
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(8, placed(), {});
    }

private slots:
    void initTestCase() { QVERIFY(::geteuid() != 0); }

    void init()
    {
        m_app = std::make_unique<AppFolder>();
        m_app->makeCurrent();
        QFile::copy(TestPaths::built(u"LOTO2.DAT"_s), m_app->appPath() + u"LOTO2.DAT"_s);
        m_fakes = std::make_unique<FakeServices>();
    }

    void cleanup()
    {
        QFile::setPermissions(m_app->appPath(), ReadWrite);
        if (QFileInfo(m_app->grilles()).isDir())
            QFile::setPermissions(m_app->grilles(), ReadWrite);
        QFile::remove(m_fakes->printer.path());
        m_fakes.reset();
        m_app.reset();
    }

    void checksWorkInAGrillesFolderWeCannotWrite()
    {
        buildPlaced();
        QFile::setPermissions(m_app->grilles(), ReadOnly);
        const QString title = u"Tirage du 01-01-2001 - 8 grilles"_s;
        GridVerifier verifier(m_fakes->services, nullptr, m_app->appPath());
        m_fakes->input.answers << u"3"_s << u"3"_s;
        const Verdict grid = verifier.ProcVerifGrille(title, DrawState());
        const Verdict line = verifier.ProcVerifLigne(title, DrawState());
        QCOMPARE(grid.text, u"La grille numéro 00003 n'est pas gagnante !!\n\n"
                            "Il n'y a aucun numéro correspondant !!"_s);
        QCOMPARE(line.text, u"Aucune ligne de la grille numéro 00003 n'est gagnante !!"_s);
        QCOMPARE(m_app->grillesEntries(), QStringList{Name});
    }

    void anInterruptedWriteWeCannotRepairIsExplained()
    {
        GridFolder::make(m_app->appPath());
        const QString made = m_app->gridPath(u"2000-01-01-2001.DAT"_s);
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(2000, made, {});
        {
            SQLite::Database db(made.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("PRAGMA cache_size = 2; BEGIN; UPDATE TIRAGE SET NUMERO1 = 99;");
            QVERIFY(QFile::copy(made, placed()));
            QVERIFY(QFile::copy(made + u"-journal"_s, placed() + u"-journal"_s));
            db.exec("ROLLBACK");
        }
        QFile::remove(made);
        QFile::setPermissions(placed(), QFileDevice::ReadOwner);
        QFile::setPermissions(m_app->grilles(), ReadOnly);
        try {
            GridFile file(placed(), GridFile::Access::ReadOnly);
            QFAIL("a file needing repair was read as it was");
        } catch (const GridFileError& e) {
            QVERIFY2(e.message().contains(u"a été interrompu pendant une écriture"_s),
                     qPrintable(e.message()));
        }
        QVERIFY(QFileInfo::exists(placed() + u"-journal"_s)); // kept for a later repair
    }

    void aProgramFolderWeCannotWriteIsNamed()
    {
        QFile::setPermissions(m_app->appPath(), ReadOnly);
        try {
            GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock)
                .build(4, m_app->gridPath(u"4-01-01-2001.DAT"_s), {});
            QFAIL("a read-only program folder was accepted");
        } catch (const GridFileError& e) {
            QVERIFY(e.message().contains(u"vous n'avez pas le droit d'y écrire"_s));
        }
    }

    void aGridFileWeCannotWrite_data()
    {
        QTest::addColumn<bool>("folderReadOnly");
        QTest::newRow("read-only file") << false;
        QTest::newRow("read-only GRILLES") << true;
    }

    // Checking and printing only read the file: both work, and printing says
    // nothing about the rights, which are the organiser's business.
    void aGridFileWeCannotWrite()
    {
        QFETCH(bool, folderReadOnly);
        buildPlaced();
        if (folderReadOnly)
            QFile::setPermissions(m_app->grilles(), ReadOnly);
        else
            QFile::setPermissions(placed(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        const QByteArray before = digest(placed());

        {
            Tirage draw(m_fakes->services);
            draw.show();
            draw.barre()->button(u"ChoixFichier"_s)->click();
            auto* files = draw.findChild<QComboBox*>(u"ListeDesFichiers"_s);
            emit files->activated(files->findText(u"Tirage du 01-01-2001 - 8 grilles"_s));
            m_fakes->input.answers.enqueue(u"1"_s);
            draw.barre()->button(u"VerifGrille"_s)->click();
            QVERIFY(m_fakes->messages.last().text.startsWith(
                u"La grille numéro 00001 n'est pas gagnante !!"_s));
        }

        m_fakes->messages.shown.clear();
        Edition printing(m_fakes->services, m_fakes->printer);
        auto* list = printing.findChild<QComboBox*>(u"ListeDesFichiers"_s);
        list->setCurrentIndex(
            list->findText(u"Impression de 8 grilles pour le tirage du 01-01-2001"_s));
        printing.Imprimer_Click();
        QVERIFY2(m_fakes->messages.shown.isEmpty(),
                 qPrintable(m_fakes->messages.shown.value(0).text));
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {m_fakes->printer.path(), u"-"_s});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QCOMPARE(text.count(u"Numerella - Tirage du : 01-01-2001"_s), 2);
        QCOMPARE(text.count(u"Grille n° "_s), 8);

        QCOMPARE(digest(placed()), before);
        GridFile file(placed(), GridFile::Access::ReadOnly);
        QVERIFY(file.tempoRows().isEmpty());
        QCOMPARE(m_app->grillesEntries(), QStringList{Name});
    }

    // Made before cards carried a code and not ours to write: printed without
    // codes, said once, the file left as it was.
    void anOlderFileWeCannotWritePrintsWithoutCodes()
    {
        buildPlaced();
        {
            SQLite::Database db(placed().toStdString(), SQLite::OPEN_READWRITE);
            db.exec("DROP TABLE CODE_CONTROLE");
        }
        QFile::setPermissions(placed(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        const QByteArray before = digest(placed());
        Edition printing(m_fakes->services, m_fakes->printer);
        auto* list = printing.findChild<QComboBox*>(u"ListeDesFichiers"_s);
        list->setCurrentIndex(
            list->findText(u"Impression de 8 grilles pour le tirage du 01-01-2001"_s));
        printing.Imprimer_Click();
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 10);
        printing.Imprimer_Click();
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QCOMPARE(m_fakes->messages.last().text, GridPrinter::withoutCodesText());
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {m_fakes->printer.path(), u"-"_s});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QCOMPARE(text.count(u"Grille n° "_s), 8);
        QVERIFY(!text.contains(u"Code"_s));
        QCOMPARE(digest(placed()), before);
    }

    // Listed on the draw screen, a file we may not read is said to be so, not
    // damaged, when it is chosen and when a check reads it mid-game.
    void aGridFileWeMayNotReadIsSaidSo()
    {
        buildPlaced();
        const QString title = u"Tirage du 01-01-2001 - 8 grilles"_s;
        const QString said = u"Le fichier de grilles "_s + QDir::toNativeSeparators(placed()) +
                             u"\nne peut pas être lu : vous n'avez pas le droit de le lire."_s;
        Tirage draw(m_fakes->services);
        draw.show();
        const auto choose = [&] {
            draw.barre()->button(u"ChoixFichier"_s)->click();
            auto* files = draw.findChild<QComboBox*>(u"ListeDesFichiers"_s);
            emit files->activated(files->findText(title));
        };
        QFile::setPermissions(placed(), QFileDevice::WriteOwner);
        choose();
        QCOMPARE(m_fakes->messages.last().text, said);
        QVERIFY(draw.titleCaption().isEmpty());

        QFile::setPermissions(placed(), QFileDevice::ReadOwner);
        choose();
        QCOMPARE(draw.titleCaption(), title);
        QFile::setPermissions(placed(), QFileDevice::WriteOwner);
        m_fakes->input.answers.enqueue(u"1"_s);
        draw.barre()->button(u"VerifLigne"_s)->click();
        QCOMPARE(m_fakes->messages.last().text, said);
    }

    // Without a printer, a PDF is refused plainly where it cannot be written.
    void aPdfFolderWeCannotWrite()
    {
        buildPlaced();
        QTemporaryDir documents;
        QFile::setPermissions(documents.path(), ReadOnly);
        ScriptedSaveDialog dialog;
        dialog.answers.enqueue(documents.filePath(u"grilles.pdf"_s));
        m_fakes->messages.answer(MsgAnswer::Yes);
        PdfFallbackOutput output(m_fakes->messages, m_fakes->shell, dialog);
        QVERIFY(!GridPrinter(m_fakes->services, output, m_app->appPath())
                     .PrintGridFile(u"Impression de 8 grilles pour le tirage du 01-01-2001"_s,
                                    nullptr, nullptr));
        QFile::setPermissions(documents.path(), ReadWrite);
        QCOMPARE(dialog.asked.size(), 2); // offered again, then cancelled
        QCOMPARE(m_fakes->messages.shown.size(), 2);
        QCOMPARE(m_fakes->messages.last().icon, MsgIcon::Exclamation);
        QVERIFY(m_fakes->messages.last().text.contains(u"le droit d'y écrire"_s));
        QVERIFY(
            QDir(documents.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
};

NUMERELLA_UNPRIVILEGED_MAIN(TestReadOnlyInstall)
#include "test_readonlyinstall.moc"
