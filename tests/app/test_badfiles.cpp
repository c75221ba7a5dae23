// Damaged or odd files in GRILLES, on every screen that lists or opens grid
// files: each gets a clear message titled with the application title, the
// screen stays usable and no stored file changes.
#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"
#include "platform/helpopener.h"
#include "platform/param.h"
#include "printing/edition.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;

namespace {
const QString Name = u"8-01-01-2001.DAT"_s;
const QString DrawEntry = u"Tirage du 01-01-2001 - 8 grilles"_s;
const QString PrintEntry = u"Impression de 8 grilles pour le tirage du 01-01-2001"_s;

QByteArray digest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QString fixture(const QString& name)
{
    return TestPaths::fixture(name);
}
} // namespace

class TestBadFiles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<FakeServices> m_fakes;

    QString placed() const { return m_app->gridPath(Name); }

    void place(const QString& fixtureName)
    {
        GridFolder::make(m_app->appPath());
        QVERIFY(QFile::copy(fixture(fixtureName), placed()));
        QFile::setPermissions(placed(), QFile::permissions(placed()) | QFileDevice::WriteOwner);
    }

    const MessageRequest& lastMessage() { return m_fakes->messages.last(); }

    void expectClearMessage(const QString& containing)
    {
        QVERIFY(!m_fakes->messages.shown.isEmpty());
        QCOMPARE(lastMessage().title, u"Numerella 4.1"_s);
        QCOMPARE(lastMessage().icon, MsgIcon::Critical);
        QVERIFY2(lastMessage().text.contains(containing), qPrintable(lastMessage().text));
    }

    // Chooses the file on the draw screen and expects it refused there, before
    // any number is drawn; the draw itself goes on without it.
    void expectRefusedAtChoice(const QString& containing)
    {
        Tirage screen(m_fakes->services);
        screen.show();
        screen.barre()->button(u"ChoixFichier"_s)->click();
        auto* list = screen.findChild<QComboBox*>(u"ListeDesFichiers"_s);
        const int index = list->findText(DrawEntry);
        QVERIFY(index >= 0);
        m_fakes->messages.shown.clear();
        emit list->activated(index);
        expectClearMessage(containing);
        QVERIFY(screen.titleCaption().isEmpty());
        QVERIFY(screen.barre()->button(u"ChoixFichier"_s)->isEnabled());
        m_fakes->messages.answer(MsgAnswer::Yes); // draw without a file
        screen.barre()->button(u"Tirage"_s)->click();
        QCOMPARE(screen.state().count(), 1);
    }

    // Chooses the file on the draw screen and checks grid and line of a grid number.
    void checkOnDrawScreen(const QString& number, const QString& containing)
    {
        Tirage screen(m_fakes->services);
        screen.show();
        screen.barre()->button(u"ChoixFichier"_s)->click();
        auto* list = screen.findChild<QComboBox*>(u"ListeDesFichiers"_s);
        const int index = list->findText(DrawEntry);
        QVERIFY(index >= 0);
        emit list->activated(index);
        QCOMPARE(screen.titleCaption(), DrawEntry);
        for (const QString& key : {u"VerifGrille"_s, u"VerifLigne"_s}) {
            m_fakes->messages.shown.clear();
            m_fakes->input.answers.enqueue(number);
            screen.barre()->button(key)->click();
            expectClearMessage(containing);
            QVERIFY(!screen.findChild<QWidget*>(u"ResultatGrille"_s)->isVisible());
            QVERIFY(screen.barre()->isEnabled());
        }
        // The draw itself goes on.
        screen.barre()->button(u"Tirage"_s)->click();
        QCOMPARE(screen.state().count(), 1);
    }

    Edition* openPrinting()
    {
        auto* screen = new Edition(m_fakes->services, m_fakes->printer);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
        auto* list = screen->findChild<QComboBox*>(u"ListeDesFichiers"_s);
        list->setCurrentIndex(list->findText(PrintEntry));
        return screen;
    }

    // Prints the placed file from the printing screen and expects a refusal.
    void expectPrintRefused(const QString& containing)
    {
        QPointer<Edition> printing = openPrinting();
        m_fakes->messages.shown.clear();
        printing->Imprimer_Click();
        expectClearMessage(containing);
        printing->close();
    }

private slots:
    void init()
    {
        m_app = std::make_unique<AppFolder>();
        m_app->makeCurrent();
        QFile::copy(TestPaths::built(u"LOTO2.DAT"_s), m_app->appPath() + u"LOTO2.DAT"_s);
        m_fakes = std::make_unique<FakeServices>();
    }

    void cleanup()
    {
        QFile::remove(m_fakes->printer.path());
        m_fakes.reset();
        m_app.reset();
    }

    void filesThatAreNoGridFiles_data()
    {
        QTest::addColumn<QString>("fixtureName");
        QTest::addColumn<QString>("containing");
        const QString damaged = u"n'est pas un fichier de grilles de Numerella, ou il est "
                                "endommagé."_s;
        QTest::newRow("zero bytes") << u"zero-bytes.dat"_s << damaged;
        QTest::newRow("text") << u"text-file.dat"_s << damaged;
        QTest::newRow("sqlite without the tables") << u"sqlite-without-tables.dat"_s << damaged;
        QTest::newRow("a sheet short of numbers")
            << u"short-sheet.dat"_s << u"la grille 00006 a 0 numéros sur sa ligne 2"_s;
        QTest::newRow("cells out of range")
            << u"out-of-range-cells.dat"_s
            << u"la grille 00001 porte une valeur qu'aucune carte ne peut porter"_s;
    }

    void filesThatAreNoGridFiles()
    {
        QFETCH(QString, fixtureName);
        QFETCH(QString, containing);
        place(fixtureName);
        const QByteArray before = digest(placed());
        expectRefusedAtChoice(containing);

        QPointer<Edition> printing = openPrinting();
        m_fakes->messages.shown.clear();
        printing->Imprimer_Click();
        expectClearMessage(containing);
        QVERIFY(!QFile::exists(m_fakes->printer.path()));
        QCOMPARE(digest(placed()), before);
        QCOMPARE(m_app->grillesEntries(), QStringList{Name}); // no scratch file left

        // Deleting it is what the organiser may want: it works.
        m_fakes->messages.answer(MsgAnswer::Yes);
        printing->Supprime_Click();
        QVERIFY(!QFile::exists(placed()));
        QCOMPARE(printing->findChild<QComboBox*>(u"ListeDesFichiers"_s)->count(), 0);
        printing->close();
    }

    void truncatedOrShortFilesAreRefusedWhenChosen_data()
    {
        QTest::addColumn<int>("keptBytes");
        QTest::addColumn<QString>("containing");
        QTest::newRow("truncated") << 24576 << u"endommagé"_s;
        QTest::newRow("one sheet of two") << -1 << u"la feuille de la grille 00005 manque"_s;
    }

    void truncatedOrShortFilesAreRefusedWhenChosen()
    {
        QFETCH(int, keptBytes);
        QFETCH(QString, containing);
        GridFolder::make(m_app->appPath());
        const int count = keptBytes < 0 ? 4 : 1000;
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock)
            .build(count, m_app->gridPath(u"%1-01-01-2001.DAT"_s.arg(count)), {});
        QVERIFY(QFile::rename(m_app->gridPath(u"%1-01-01-2001.DAT"_s.arg(count)), placed()));
        if (keptBytes > 0)
            QVERIFY(QFile::resize(placed(), keptBytes));
        const QByteArray before = digest(placed());
        expectRefusedAtChoice(containing);
        QCOMPARE(digest(placed()), before);
    }

    void aFileHeldByAnotherProgram()
    {
        GridFolder::make(m_app->appPath());
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(8, placed(), {});
        const QByteArray before = digest(placed());
        {
            SQLite::Database other(placed().toStdString(), SQLite::OPEN_READWRITE);
            other.exec("BEGIN EXCLUSIVE");
            expectRefusedAtChoice(u"utilisé par un autre programme"_s);
            expectPrintRefused(u"utilisé par un autre programme"_s);
            other.exec("ROLLBACK");
        }
        QCOMPARE(digest(placed()), before);
        GridFile file(placed(), GridFile::Access::ReadOnly);
        QVERIFY(file.tempoRows().isEmpty());
    }

    void aPlainFileNamedGrilles()
    {
        QFile plain(m_app->grilles());
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        Tirage screen(m_fakes->services);
        screen.barre()->button(u"ChoixFichier"_s)->click();
        QCOMPARE(screen.findChild<QComboBox*>(u"ListeDesFichiers"_s)->count(), 0);
        QPointer<Edition> printing = openPrinting();
        QCOMPARE(printing->findChild<QComboBox*>(u"ListeDesFichiers"_s)->count(), 0);
        printing->close();
        QVERIFY(QFileInfo(m_app->grilles()).isFile());
    }

    void aMissingHelpFileIsReported()
    {
        HelpWindowOpener opener(m_fakes->messages, m_app->appPath() + u"Loto.hlp"_s);
        QWidget window;
        opener.open(&window, HelpTopic::Draw);
        expectClearMessage(u"Le fichier d'aide est introuvable"_s);
    }
};

QTEST_MAIN(TestBadFiles)
#include "test_badfiles.moc"
