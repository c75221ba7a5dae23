#include "about/apropos.h"
#include "about/installationinfo.h"
#include "fakes/fakeservices.h"
#include "platform/param.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

class TestApropos : public QObject
{
    Q_OBJECT

private:
    FakeServices m_fakes;
    std::unique_ptr<Apropos> m_box;

    QString label(const QString& name) { return m_box->findChild<QLabel*>(name)->text(); }

private slots:
    void init()
    {
        Param::setGlobals(AppGlobals::compose(u"/opt/numerella/numerella"_s,
                                              QDateTime(QDate(2000, 4, 16), QTime(13, 8))));
        m_fakes.shell.targets.clear();
        m_box = std::make_unique<Apropos>(m_fakes.services);
        m_box->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
    }

    void cleanup() { m_box.reset(); }

    void showsTheProductOnFiveTabs()
    {
        QVERIFY(m_box->windowFlags() & Qt::FramelessWindowHint);
        QTabWidget* tabs = m_box->onglet();
        QCOMPARE(tabs->count(), 5);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->tabText(1), u" Infos techniques"_s);
        QCOMPARE(tabs->tabText(2), u"Historique"_s);
        QCOMPARE(tabs->tabText(3), u"Assistance technique"_s);
        QCOMPARE(tabs->tabText(4), InstallationInfo::partnerShortName());
        QCOMPARE(m_box->size(), tabs->size());
        QCOMPARE(label(u"Titre"_s), u"Numerella"_s);
        QCOMPARE(label(u"SousTitre"_s), u"Version 4.1 compilée le 16/04/2000 à 13:08"_s);
    }

    void technicalLabelsCarryTheirPrefixes()
    {
        QCOMPARE(label(u"Description"_s), u"Numerella"_s);
        QVERIFY(label(u"NomApplication"_s).startsWith(u"  Nom de l'éxecutable : "_s));
        QVERIFY(label(u"NomApplication"_s).endsWith(u".EXE"_s));
        QCOMPARE(label(u"Version"_s), u"  Version :                  4.1 du 16/04/2000 à 13:08"_s);
        QCOMPARE(label(u"Commentaires"_s),
                 u"  Commentaires :          Tirage du Loto des familles"_s);
        QVERIFY(label(u"TradeMarks"_s).startsWith(u"  Marques légales :       "_s));
        QVERIFY(label(u"Company"_s).startsWith(u"  Organisation :            "_s));
        QCOMPARE(programNameForDisplay(u"/opt/numerella/numerella"_s), u"numerella.EXE"_s);
        QCOMPARE(programNameForDisplay(u"C:/Loto/Loto.exe"_s), u"Loto.EXE"_s);
    }

    void buttonsGoThroughTheShellAndResolveDocumentsBesideTheProgram()
    {
        m_box->findChild<QPushButton*>(u"EMail"_s)->click();
        m_box->findChild<QPushButton*>(u"Internet"_s)->click();
        const QStringList documents = InstallationInfo::partnerDocuments();
        for (const QString& document : documents) {
            auto* read = m_box->findChild<QPushButton*>(u"Lire"_s + document);
            QCOMPARE(read->text(), u"Lire "_s + document);
            read->click();
        }
        m_box->findChild<QPushButton*>(u"SiteAssociation"_s)->click();
        QStringList expected = {u"mailto:"_s + InstallationInfo::makerMail(),
                                InstallationInfo::makerWeb()};
        for (const QString& document : documents)
            expected << Param::AppPath() + document;
        expected << InstallationInfo::partnerWeb();
        QCOMPARE(m_fakes.shell.targets, expected);
        // The shell failed every time (no mail client here): nothing is said.
        QVERIFY(m_fakes.messages.shown.isEmpty());
        QVERIFY(m_box->isVisible());
    }

    void onlyTheTitlePageCanClose()
    {
        auto* quitter = m_box->findChild<QToolButton*>(u"Quitter"_s);
        QCOMPARE(quitter->toolTip(), u"Quitter cet écran"_s);
        QCOMPARE(quitter->parentWidget(), m_box->onglet()->widget(0));
        QSignalSpy quit(m_box.get(), &Apropos::quitClicked);
        quitter->click();
        QCOMPARE(quit.size(), 1);
        QVERIFY(!m_box->isVisible());
    }
};

QTEST_MAIN(TestApropos)
#include "test_apropos.moc"
