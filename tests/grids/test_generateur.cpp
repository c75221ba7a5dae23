#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/generateur.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QByteArray digestOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

const QString DateFormat = u"La date n'a pas été saisie dans le bon format.\n"
                           "Format de saisie = JJ/MM/AAAA\n\nVeuillez reprendre SVP !!"_s;
} // namespace

class TestGenerateur : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Generateur> m_screen;

    QLineEdit* nombre() { return m_screen->findChild<QLineEdit*>(u"SaisieNombre"_s); }
    QLineEdit* date() { return m_screen->findChild<QLineEdit*>(u"SaisieDate"_s); }
    QPushButton* lancer() { return m_screen->findChild<QPushButton*>(u"Lancer"_s); }
    QWidget* boutons() { return m_screen->findChild<QWidget*>(u"BoiteBoutons"_s); }
    ScriptedMessages& messages() { return m_fakes->messages; }

    void type(const QString& count, const QString& when)
    {
        nombre()->setText(count);
        date()->setText(when);
    }

    void expectRefusal(const QString& text, QLineEdit* focus)
    {
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last().text, text);
        QCOMPARE(messages().last().icon, MsgIcon::Critical);
        QCOMPARE(messages().last().buttons, MsgButtons::Ok);
        QCOMPARE(messages().last().title, u"Numerella 4.1"_s);
        QVERIFY(focus->hasFocus());
    }

private slots:
    void init()
    {
        m_app = std::make_unique<AppFolder>();
        m_app->makeCurrent();
        m_fakes = std::make_unique<FakeServices>();
        m_screen = std::make_unique<Generateur>(m_fakes->services);
        m_screen->show();
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    }

    void cleanup()
    {
        m_screen.reset();
        m_app.reset();
    }

    void opensIdle()
    {
        QCOMPARE(m_screen->windowTitle(), u"Générateur de grilles"_s);
        QCOMPARE(nombre()->maxLength(), 5);
        QCOMPARE(date()->maxLength(), 10);
        QVERIFY(boutons()->isVisible());
        QVERIFY(!m_screen->findChild<QLabel*>(u"Message"_s)->isVisible());
        QVERIFY(!m_screen->findChild<QProgressBar*>(u"Jauge"_s)->isVisible());
        QCOMPARE(m_screen->findChild<QLabel*>(u"Label3"_s)->text(),
                 u"  (format de saisie = jj/mm/aaaa)"_s);
        QCOMPARE(lancer()->text(), u"&Lancer"_s);
        // The button box is centred in the window.
        const QRect box = boutons()->geometry();
        QVERIFY(std::abs(box.center().x() - m_screen->width() / 2) <= 1);
    }

    void enterMovesThroughTheFields()
    {
        nombre()->setFocus();
        QTest::keyClick(nombre(), Qt::Key_Return);
        QVERIFY(date()->hasFocus());
        QTest::keyClick(date(), Qt::Key_Return); // empty date
        expectRefusal(u"La saisie de la date est obligatoire"_s, date());
        date()->setText(u"1/1/2001"_s);
        QTest::keyClick(date(), Qt::Key_Return);
        QCOMPARE(messages().last().text, DateFormat);
        QVERIFY(date()->text().isEmpty());
        // Ten characters pass Enter; the calendar is checked at launch.
        date()->setText(u"31/02/2001"_s);
        QTest::keyClick(date(), Qt::Key_Return);
        QVERIFY(lancer()->hasFocus());
        nombre()->setText(u"4"_s);
        QTest::keyClick(lancer(), Qt::Key_Return);
        QCOMPARE(messages().last().text, DateFormat);
        QVERIFY(date()->text().isEmpty());
    }

    void launchRefusals_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("onCount");
        const QString notWhole =
            u"Le nombre de grilles doit être un nombre entier de 1 à 10000 !!"_s;
        QTest::newRow("empty count")
            << QString() << u"25/12/2000"_s
            << u"La saisie du nombre de grilles est obligatoire !!"_s << true;
        QTest::newRow("10001") << u"10001"_s << u"25/12/2000"_s
                               << u"La quantité maxi de grilles est limitée à 10000 !!"_s << true;
        QTest::newRow("letters") << u"abc"_s << u"25/12/2000"_s << notWhole << true;
        QTest::newRow("sign") << u"-4"_s << u"25/12/2000"_s << notWhole << true;
        QTest::newRow("decimal") << u"2.5"_s << u"25/12/2000"_s << notWhole << true;
        QTest::newRow("zero") << u"0"_s << u"25/12/2000"_s << notWhole << true;
        QTest::newRow("empty date")
            << u"8"_s << QString() << u"La saisie de la date est obligatoire !!"_s << false;
        QTest::newRow("not a day") << u"8"_s << u"31/02/2001"_s << DateFormat << false;
        QTest::newRow("other layout") << u"8"_s << u"2001/01/01"_s << DateFormat << false;
        QTest::newRow("letters in date") << u"8"_s << u"aa/bb/cccc"_s << DateFormat << false;
        QTest::newRow("hyphens") << u"8"_s << u"25-12-2000"_s << DateFormat << false;
    }

    void launchRefusals()
    {
        QFETCH(QString, count);
        QFETCH(QString, when);
        QFETCH(QString, text);
        QFETCH(bool, onCount);
        type(count, when);
        lancer()->click();
        expectRefusal(text, onCount ? nombre() : date());
        if (onCount)
            QCOMPARE(nombre()->text(), count); // a refused count stays
        else
            QVERIFY(date()->text().isEmpty()); // a refused date is emptied
        QVERIFY(!QFileInfo::exists(m_app->grilles()));
    }

    void answeringNoWritesNothing()
    {
        type(u"1"_s, u"01/01/2001"_s);
        messages().answer(MsgAnswer::No);
        lancer()->click();
        QCOMPARE(messages().last().text,
                 u"Confirmez vous la création d'un fichier de :\n4 grilles\n"
                 "pour le tirage du Loto du : 01/01/2001"_s);
        QCOMPARE(messages().last().icon, MsgIcon::Question);
        QCOMPARE(messages().last().buttons, MsgButtons::YesNo);
        QVERIFY(!QFileInfo::exists(m_app->grilles()));
        QVERIFY(nombre()->text().isEmpty());
        QVERIFY(date()->text().isEmpty());
        QVERIFY(boutons()->isVisible());
        QVERIFY(nombre()->hasFocus());
    }

    void aRunMakesTheFileAndReturnsToIdle()
    {
        type(u"10"_s, u"05/03/2001"_s);
        messages().answer(MsgAnswer::Yes);
        QList<int> gauge;
        bool closedDuringRun = true;
        m_screen->setGridHook([&](int g) {
            gauge.append(g);
            QCOMPARE(nombre()->text(), u"12"_s); // the adjusted count is shown
            QVERIFY(!nombre()->isEnabled());
            QVERIFY(!boutons()->isVisible());
            if (g == 3)
                closedDuringRun = m_screen->close(); // the frame's close is refused
        });
        lancer()->click();
        QVERIFY(!closedDuringRun);
        QCOMPARE(gauge, QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        QCOMPARE(messages().shown.size(), 1); // no message at the end
        GridFile file(m_app->gridPath(u"12-05-03-2001.DAT"_s), GridFile::Access::ReadOnly);
        QCOMPARE(file.sheetCount(), 3);
        QVERIFY(nombre()->text().isEmpty() && nombre()->isEnabled());
        QVERIFY(date()->text().isEmpty() && date()->isEnabled());
        QVERIFY(nombre()->hasFocus());
        QVERIFY(boutons()->isVisible());
        QVERIFY(!m_screen->findChild<QProgressBar*>(u"Jauge"_s)->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void anExistingFileIsReplacedOnlyAfterYes()
    {
        type(u"4"_s, u"01/01/2001"_s);
        messages().answer(MsgAnswer::Yes);
        lancer()->click();
        const QString path = m_app->gridPath(u"4-01-01-2001.DAT"_s);
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray original = before.readAll();
        before.close();

        type(u"4"_s, u"01/01/2001"_s);
        messages().answer(MsgAnswer::Yes);
        messages().answer(MsgAnswer::No);
        lancer()->click();
        QCOMPARE(messages().last().text, QDir::toNativeSeparators(path) +
                                             u" existe déjà !!!\nSouhaitez vous le remplacer ?"_s);
        QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
        // Its cards may be sold: Enter alone must not replace it.
        QCOMPARE(messages().last().defaultAnswer, MsgAnswer::No);
        QVERIFY(before.open(QIODevice::ReadOnly));
        QCOMPARE(before.readAll(), original);
        before.close();
        QVERIFY(nombre()->text().isEmpty());

        type(u"4"_s, u"01/01/2001"_s);
        messages().answer(MsgAnswer::Yes);
        messages().answer(MsgAnswer::Yes);
        lancer()->click();
        QVERIFY(before.open(QIODevice::ReadOnly));
        QVERIFY(before.readAll() != original);
    }

    void aFileOfTheSameDrawIsFoundWhateverTheCaseOfItsName()
    {
        // Copied from another computer under a lower-case extension.
        GridFolder::make(m_app->appPath());
        const QString copied = m_app->gridPath(u"12-03-03-2031.dat"_s);
        GridFileBuilder(m_app->appPath(), m_fakes->random, m_fakes->clock).build(12, copied, {});
        const QByteArray original = digestOf(copied);

        type(u"12"_s, u"03/03/2031"_s);
        messages().answer(MsgAnswer::Yes);
        messages().answer(MsgAnswer::No);
        lancer()->click();
        QCOMPARE(messages().last().text, QDir::toNativeSeparators(copied) +
                                             u" existe déjà !!!\nSouhaitez vous le remplacer ?"_s);
        QCOMPARE(m_app->grillesEntries(), QStringList{u"12-03-03-2031.dat"_s});
        QCOMPARE(digestOf(copied), original);

        type(u"12"_s, u"03/03/2031"_s);
        messages().answer(MsgAnswer::Yes);
        messages().answer(MsgAnswer::Yes);
        lancer()->click();
        QCOMPARE(m_app->grillesEntries(), QStringList{u"12-03-03-2031.dat"_s}); // one file
        QVERIFY(digestOf(copied) != original);
        GridFile(copied, GridFile::Access::ReadOnly).checkWhole(12);

        // Twins already side by side: both are named, as both go.
        const QString twin = m_app->gridPath(u"12-03-03-2031.DAT"_s);
        QVERIFY(QFile::copy(copied, twin));
        type(u"12"_s, u"03/03/2031"_s);
        messages().answer(MsgAnswer::Yes);
        messages().answer(MsgAnswer::Yes);
        lancer()->click();
        QCOMPARE(messages().last().text,
                 QDir::toNativeSeparators(twin) + u'\n' + QDir::toNativeSeparators(copied) +
                     u"\nexistent déjà !!!\nSouhaitez vous les remplacer ?"_s);
        QCOMPARE(m_app->grillesEntries(), QStringList{u"12-03-03-2031.DAT"_s});
    }

    void aFailureDuringTheRunIsReportedAndChangesNothing()
    {
        type(u"4"_s, u"01/01/2001"_s);
        messages().answer(MsgAnswer::Yes);
        lancer()->click();
        const QString path = m_app->gridPath(u"4-01-01-2001.DAT"_s);
        const QByteArray original = [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();

        m_screen->setGridHook([](int g) {
            if (g == 2)
                throw GridFileError(u"plein"_s, u"database or disk is full"_s);
        });
        type(u"4"_s, u"01/01/2001"_s);
        messages().answer(MsgAnswer::Yes);
        messages().answer(MsgAnswer::Yes);
        lancer()->click();
        QCOMPARE(messages().last().icon, MsgIcon::Critical);
        QCOMPARE(messages().last().title, u"Numerella 4.1"_s);
        QVERIFY(messages().last().text.startsWith(u"La création du fichier de grilles"_s));
        // Every box, questions and the failure alike, is read with the arrow.
        QCOMPARE(messages().cursors,
                 QList<Qt::CursorShape>(messages().shown.size(), Qt::ArrowCursor));
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), original);
        QCOMPARE(m_app->grillesEntries(), QStringList{u"4-01-01-2001.DAT"_s});
        QVERIFY(boutons()->isVisible());
        QVERIFY(!m_screen->isGenerating());
        QVERIFY(!QApplication::overrideCursor());
    }

    void aMissingTemplateIsReported()
    {
        QFile::remove(m_app->appPath() + u"Loto1.dat"_s);
        type(u"4"_s, u"01/01/2001"_s);
        messages().answer(MsgAnswer::Yes);
        lancer()->click();
        QVERIFY(messages().last().text.startsWith(
            u"Le modèle des fichiers de grilles est introuvable"_s));
        QVERIFY(!QFileInfo::exists(m_app->grilles()));
        QVERIFY(boutons()->isVisible());
    }

    void quitterSignalsAndCloses()
    {
        QSignalSpy quit(m_screen.get(), &Generateur::quitClicked);
        m_screen->findChild<QPushButton*>(u"Quitter"_s)->click();
        QCOMPARE(quit.size(), 1);
        QVERIFY(!m_screen->isVisible());
    }
};

QTEST_MAIN(TestGenerateur)
#include "test_generateur.moc"
