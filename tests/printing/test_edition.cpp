#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfolder.h"
#include "printing/edition.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
// The test PDF printer, counting the prints it is given.
class CountingOutput : public PdfFileOutput
{
public:
    using PdfFileOutput::PdfFileOutput;
    bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) override
    {
        ++prints;
        if (whilePrinting)
            std::exchange(whilePrinting, nullptr)();
        return PdfFileOutput::prepare(printer, parent, job);
    }
    int prints = 0;
    std::function<void()> whilePrinting; // once, as events handled during a print
};

const QString Warning = u"ATTENTION\n\nSi vous supprimer le fichier vous ne\n"
                        "pourrez pas vérifier les grilles lors du\ntirage du loto\n\n"
                        "Confirmez vous la suppression du fichier ?"_s;
} // namespace

class TestEdition : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFolder> m_app;
    FakeServices m_fakes;
    std::unique_ptr<Edition> m_screen;

    QComboBox* list() { return m_screen->findChild<QComboBox*>(u"ListeDesFichiers"_s); }
    QPushButton* button(const QString& name) { return m_screen->findChild<QPushButton*>(name); }
    QStringList entries()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->itemText(i);
        return texts;
    }
    void choose(int index) { list()->setCurrentIndex(index); }
    void open()
    {
        m_screen = std::make_unique<Edition>(m_fakes.services, m_fakes.printer);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }
    void touch(const QString& name)
    {
        GridFolder::make(m_app->appPath());
        QFile file(m_app->gridPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void init()
    {
        m_app = std::make_unique<AppFolder>();
        m_app->makeCurrent();
        m_fakes.messages.shown.clear();
    }

    void cleanup()
    {
        m_screen.reset();
        m_app.reset();
    }

    void listsGridFilesNewestDrawFirstWithNothingChosen()
    {
        for (const QString& name : {u"4-01-01-2001.DAT"_s, u"100-25-12-2000.DAT"_s,
                                    u"20-01-01-2001.dat"_s, u"Verif.dat"_s, u"notes.txt"_s})
            touch(name);
        open();
        QCOMPARE(m_screen->windowTitle(), u"Impression des grilles"_s);
        QCOMPARE(entries(),
                 QStringList({u"Impression de 4 grilles pour le tirage du 01-01-2001"_s,
                              u"Impression de 20 grilles pour le tirage du 01-01-2001"_s,
                              u"Impression de 100 grilles pour le tirage du 25-12-2000"_s}));
        QVERIFY(m_screen->selectorText().isEmpty());
        QVERIFY(!list()->isEditable());
        QCOMPARE(button(u"Supprime"_s)->text(), u"&Supprimer"_s);
        QCOMPARE(button(u"Imprimer"_s)->text(), u"&Imprimer"_s);
        QCOMPARE(button(u"Quitter"_s)->text(), u"&Quitter"_s);
        // Tab goes selector, Supprimer, Imprimer, Quitter, then the options below them.
        QStringList order;
        QWidget* w = list();
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != list());
        QCOMPARE(order, QStringList({u"ListeDesFichiers"_s, u"Supprime"_s, u"Imprimer"_s,
                                     u"Quitter"_s, u"CartesParPage"_s, u"GrosCaracteres"_s,
                                     u"PremiereGrille"_s, u"DerniereGrille"_s, u"Apercu"_s}));
    }

    void withNothingChosenBothButtonsRefuse()
    {
        open(); // no GRILLES at all
        QCOMPARE(list()->count(), 0);
        button(u"Supprime"_s)->click();
        QCOMPARE(m_fakes.messages.last().text, u"Vous devez choisir un fichier dans la liste !!"_s);
        QCOMPARE(m_fakes.messages.last().icon, MsgIcon::Critical);
        button(u"Imprimer"_s)->click();
        QCOMPARE(m_fakes.messages.last().text,
                 u"Le choix d'un fichier de grilles est obligatoire !!"_s);
        QCOMPARE(m_fakes.messages.shown.size(), 2);
    }

    void deletionAsksFirst()
    {
        touch(u"100-25-12-2000.DAT"_s);
        touch(u"4-01-01-2001.DAT"_s);
        open();
        choose(0);
        m_fakes.messages.answer(MsgAnswer::No);
        button(u"Supprime"_s)->click();
        QCOMPARE(m_fakes.messages.last().text, Warning);
        QCOMPARE(m_fakes.messages.last().icon, MsgIcon::Question);
        QCOMPARE(m_fakes.messages.last().buttons, MsgButtons::YesNo);
        QCOMPARE(m_fakes.messages.last().defaultAnswer, MsgAnswer::Yes);
        QVERIFY(QFile::exists(m_app->gridPath(u"4-01-01-2001.DAT"_s)));
        QCOMPARE(m_screen->selectorText(),
                 u"Impression de 4 grilles pour le tirage du 01-01-2001"_s);

        m_fakes.messages.answer(MsgAnswer::Yes);
        button(u"Supprime"_s)->click();
        QVERIFY(!QFile::exists(m_app->gridPath(u"4-01-01-2001.DAT"_s)));
        QCOMPARE(entries(),
                 QStringList{u"Impression de 100 grilles pour le tirage du 25-12-2000"_s});
        QVERIFY(m_screen->selectorText().isEmpty());

        choose(0);
        m_fakes.messages.answer(MsgAnswer::Yes);
        button(u"Supprime"_s)->click();
        QCOMPARE(list()->count(), 0);
        QVERIFY(m_screen->selectorText().isEmpty());
    }

    void aFailedDeletionIsReportedAndTheListRebuilt()
    {
        touch(u"4-01-01-2001.DAT"_s);
        touch(u"8-01-01-2001.DAT"_s);
        open();
        choose(0);
        QFile::remove(m_app->gridPath(u"4-01-01-2001.DAT"_s)); // gone meanwhile
        m_fakes.messages.answer(MsgAnswer::Yes);
        button(u"Supprime"_s)->click();
        QCOMPARE(m_fakes.messages.last().icon, MsgIcon::Critical);
        QVERIFY(m_fakes.messages.last().text.contains(u"n'a pas pu être supprimé"_s));
        QCOMPARE(entries(), QStringList{u"Impression de 8 grilles pour le tirage du 01-01-2001"_s});
    }

    void aDoubleClickPrintsOnce()
    {
        GridFolder::make(m_app->appPath());
        QFile::copy(TestPaths::built(u"LOTO2.DAT"_s), m_app->appPath() + u"LOTO2.DAT"_s);
        GridFileBuilder(m_app->appPath(), m_fakes.random, m_fakes.clock)
            .build(4, m_app->gridPath(u"4-01-01-2001.DAT"_s), {});
        CountingOutput output(m_fakes.printer.path());
        Edition screen(m_fakes.services, output);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        screen.findChild<QComboBox*>(u"ListeDesFichiers"_s)->setCurrentIndex(0);
        auto* imprimer = screen.findChild<QPushButton*>(u"Imprimer"_s);
        // What a double click brings: a click, then a double-click press and its release.
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QTest::mouseDClick(imprimer, Qt::LeftButton);
        QTest::mouseRelease(imprimer, Qt::LeftButton);
        QCOMPARE(output.prints, 1);
        // A later click is a new print, and a click while it runs is not.
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
        output.whilePrinting = [&] {
            QTest::mouseClick(imprimer, Qt::LeftButton);
        };
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QCOMPARE(output.prints, 2);
        QVERIFY(m_fakes.messages.shown.isEmpty());
        QFile::remove(output.path());
    }

    // The options sit below the buttons; a range is offered for the chosen
    // file, and one it does not hold is refused before anything is printed.
    void theOptionsFollowTheChosenFile()
    {
        GridFolder::make(m_app->appPath());
        for (const QString& layout : {u"LOTO2.DAT"_s, u"LOTO2-2.DAT"_s})
            QFile::copy(TestPaths::built(layout), m_app->appPath() + layout);
        GridFileBuilder(m_app->appPath(), m_fakes.random, m_fakes.clock)
            .build(8, m_app->gridPath(u"8-01-01-2001.DAT"_s), {});
        open();
        auto* cards = m_screen->findChild<QComboBox*>(u"CartesParPage"_s);
        auto* large = m_screen->findChild<QCheckBox*>(u"GrosCaracteres"_s);
        auto* first = m_screen->findChild<QLineEdit*>(u"PremiereGrille"_s);
        auto* last = m_screen->findChild<QLineEdit*>(u"DerniereGrille"_s);
        QCOMPARE(cards->currentText(), u"4"_s);
        QCOMPARE(cards->accessibleName(), u"Cartes par page"_s);
        QCOMPARE(large->accessibleName(), u"Gros caractères"_s);
        QCOMPARE(first->accessibleName(), u"Grilles de"_s);
        QCOMPARE(last->accessibleName(), u"à"_s);
        QVERIFY(!large->isEnabled());
        cards->setCurrentText(u"2"_s);
        QVERIFY(large->isEnabled());
        large->setChecked(true);
        cards->setCurrentText(u"6"_s);
        QVERIFY(!large->isEnabled() && !large->isChecked());

        choose(0);
        QCOMPARE(first->text(), u"1"_s);
        QCOMPARE(last->text(), u"8"_s);
        last->setText(u"9"_s);
        button(u"Imprimer"_s)->click();
        QCOMPARE(m_fakes.messages.last().text,
                 u"Ce fichier contient les grilles 1 à 8 : il n'a pas de grille n° 9."_s);
        QCOMPARE(m_fakes.messages.last().icon, MsgIcon::Critical);
        QCOMPARE(QApplication::focusWidget(), last);
        QVERIFY(!QFile::exists(m_fakes.printer.path()));

        // The preview shows the pages of the print and leaves the printing
        // itself to the screen's button.
        cards->setCurrentText(u"2"_s);
        last->setText(u"6"_s);
        QString title;
        int pages = 0;
        bool canPrint = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            const QList<QAction*> actions = dialog->findChildren<QAction*>();
            canPrint = std::any_of(actions.begin(), actions.end(), [](QAction* a) {
                return a->isVisible() &&
                       a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print");
            });
            dialog->reject();
        });
        m_fakes.messages.shown.clear();
        button(u"Apercu"_s)->click();
        QCOMPARE(title, u"Aperçu - Numerella - Tirage du : 01-01-2001"_s);
        QCOMPARE(pages, 3); // grids 1 to 6, two a page
        QVERIFY(!canPrint);
        QVERIFY(m_fakes.messages.shown.isEmpty());
        QVERIFY(!QFile::exists(m_fakes.printer.path()));
    }

    void quitterSignalsAndCloses()
    {
        open();
        QSignalSpy quit(m_screen.get(), &Edition::quitClicked);
        button(u"Quitter"_s)->click();
        QCOMPARE(quit.size(), 1);
        QVERIFY(!m_screen->isVisible());
    }
};

QTEST_MAIN(TestEdition)
#include "test_edition.moc"
