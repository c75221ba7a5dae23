// F1 and the help window: the topic of the screen the organiser is on, even
// from a box or a list opened over it; the help beside the screen, never over
// the big number, and still open once the screen is left.
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "platform/helpopener.h"
#include "platform/helpplacement.h"
#include "printing/edition.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

class TestHelp : public QObject
{
    Q_OBJECT

private:
    AppFolder m_app;
    FakeServices m_fakes;

    static void pressF1(QWidget* on)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(on, &press);
    }

    static QSet<QString> anchorsOf(const QTextDocument* document)
    {
        QSet<QString> anchors;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                for (const QString& name : it.fragment().charFormat().anchorNames())
                    anchors.insert(name);
        return anchors;
    }

private slots:
    void initTestCase()
    {
        m_app.makeCurrent();
        QFile::copy(TestPaths::built(u"Loto.hlp"_s), m_app.appPath() + u"Loto.hlp"_s);
    }

    void f1AsksForTheTopicOfTheScreenUnderneath()
    {
        HelpKey helpKey(m_fakes.help);
        qApp->installEventFilter(&helpKey);
        Tirage draw(m_fakes.services);
        Edition printing(m_fakes.services, m_fakes.printer);
        printing.show();

        QMessageBox box(QMessageBox::Critical, u"Numerella 4.1"_s, u"Attention"_s, QMessageBox::Ok,
                        &draw);
        QInputDialog prompt(&draw);
        QMessageBox alone(QMessageBox::Critical, u"Numerella 4.1"_s, u"Attention"_s);
        auto* list = printing.findChild<QComboBox*>(u"ListeDesFichiers"_s);
        list->showPopup(); // the open list is a window of its own
        pressF1(&box);
        pressF1(&prompt);
        pressF1(list->view());
        pressF1(&alone);
        list->hidePopup();
        qApp->removeEventFilter(&helpKey);
        QCOMPARE(m_fakes.help.topics, QList<int>({HelpTopic::Draw, HelpTopic::Draw,
                                                  HelpTopic::Printing, HelpTopic::Contents}));
    }

    void theHelpFileHoldsEveryTopicTheScreensAskFor()
    {
        HelpWindowOpener opener(m_fakes.messages, m_app.appPath() + u"Loto.hlp"_s);
        opener.open(nullptr, HelpTopic::Contents);
        auto* browser = qobject_cast<QTextBrowser*>(opener.window());
        QVERIFY(browser && browser->isVisible());
        const QSet<QString> anchors = anchorsOf(browser->document());
        for (int topic :
             {HelpTopic::Contents, HelpTopic::Generator, HelpTopic::Printing, HelpTopic::Draw})
            QVERIFY2(anchors.contains(helpAnchor(topic)), qPrintable(helpAnchor(topic)));
        QVERIFY(m_fakes.messages.shown.isEmpty());
    }

    void theHelpStaysBesideTheBigNumberAndOutlivesTheDrawScreen()
    {
        HelpWindowOpener opener(m_fakes.messages, m_app.appPath() + u"Loto.hlp"_s);
        auto* draw = new Tirage(m_fakes.services);
        draw->setGeometry(draw->screen()->availableGeometry());
        draw->show();
        QVERIFY(QTest::qWaitForWindowExposed(draw));
        const QWidget* number = draw->findChild<QWidget*>(u"Afficheur"_s);
        const QRect numberOnScreen(number->mapToGlobal(QPoint(0, 0)), number->size());
        opener.open(draw, HelpTopic::Draw);
        QPointer<QWidget> help = opener.window();
        QVERIFY(help && help->isVisible());
        QVERIFY(!help->geometry().intersects(numberOnScreen));
        QVERIFY(draw->screen()->availableGeometry().contains(help->geometry()));
        delete draw;
        QVERIFY(help && help->isVisible());
        QTest::keyClick(help, Qt::Key_Escape);
        QTRY_VERIFY(!help);
    }

    void helpAlreadyOpenMovesOffTheBigNumber()
    {
        HelpWindowOpener opener(m_fakes.messages, m_app.appPath() + u"Loto.hlp"_s);
        QWidget main;
        main.setGeometry(main.screen()->availableGeometry());
        main.show();
        opener.open(&main, HelpTopic::Contents);
        Tirage draw(m_fakes.services);
        draw.setGeometry(draw.screen()->availableGeometry());
        draw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&draw));
        opener.window()->setGeometry(0, 0, 300, 300); // over the number
        opener.open(&draw, HelpTopic::Draw);
        const QWidget* number = draw.findChild<QWidget*>(u"Afficheur"_s);
        QVERIFY(!opener.window()->geometry().intersects(
            QRect(number->mapToGlobal(QPoint(0, 0)), number->size())));
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("kept");
        QTest::addColumn<QRect>("help");
        const QRect small(0, 0, 1024, 768), wide(0, 0, 1920, 1080);
        QTest::newRow("big number on 1024")
            << small << QRect(0, 0, 632, 632) << QRect(632, 0, 392, 768);
        QTest::newRow("big number on 1920")
            << wide << QRect(178, 0, 965, 965) << QRect(1143, 0, 720, 1080);
        QTest::newRow("small dialog")
            << small << QRect(412, 334, 200, 100) << QRect(612, 0, 412, 768);
        QTest::newRow("dialog on the right")
            << small << QRect(800, 300, 200, 100) << QRect(80, 0, 720, 768);
        QTest::newRow("nothing free, kept on the left")
            << small << QRect(100, 0, 750, 768) << QRect(512, 0, 512, 768);
        QTest::newRow("nothing free, kept on the right")
            << small << QRect(200, 0, 700, 768) << QRect(0, 0, 512, 768);
        QTest::newRow("second screen")
            << QRect(1920, 0, 1024, 768) << QRect(1920, 0, 632, 632) << QRect(2552, 0, 392, 768);
        QTest::newRow("nothing to keep") << small << QRect() << QRect(512, 0, 512, 768);
    }

    void placement()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, kept);
        QFETCH(QRect, help);
        QCOMPARE(HelpPlacement::beside(screen, kept), help);
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
