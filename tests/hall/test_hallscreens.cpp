#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "hall/hallcontrol.h"
#include "hall/halldisplay.h"
#include "platform/param.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// With a projector beside the laptop, the hall display fills the projector
// and the draw screen stays with the operator.
class TestHallScreens : public QObject
{
    Q_OBJECT

private slots:
    void theProjectorGetsTheHallDisplay()
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QTemporaryDir appDir;
        Param::setGlobals(
            AppGlobals::compose(appDir.filePath(u"numerella"_s), QDateTime::currentDateTime()));
        FakeServices fakes;
        Tirage screen(fakes.services);
        screen.setGeometry(100, 100, 1024, 740);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));

        screen.hall().toggle();
        HallDisplay* hall = screen.hall().display();
        QTRY_VERIFY(hall->isFullScreen());
        QCOMPARE(hall->screen(), screens[1]);
        QCOMPARE(hall->geometry(), screens[1]->geometry());
        QCOMPARE(screen.screen(), screens[0]);

        // The draw screen taken to the projector: the hall moves to the laptop.
        screen.hall().toggle();
        screen.move(screens[1]->geometry().topLeft() + QPoint(50, 50));
        QTRY_COMPARE(screen.screen(), screens[1]);
        screen.hall().toggle();
        QTRY_COMPARE(hall->screen(), screens[0]);
        QCOMPARE(hall->geometry(), screens[0]->geometry());
    }
};

int main(int argc, char** argv)
{
    // Two screens side by side: the laptop, then the projector.
    QTemporaryDir dir;
    const QString config = dir.filePath(u"ecrans.json"_s);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    file.write(R"({"screens": [{"name": "PORTABLE", "x": 0, "y": 0, "width": 1366, "height": 768},
                               {"name": "PROJECTEUR", "x": 1366, "y": 0, "width": 1920, "height": 1080}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestHallScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hallscreens.moc"
