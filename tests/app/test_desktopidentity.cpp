#include "app/desktopidentity.h"

#include <QApplication>
#include <QIcon>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDesktopIdentity : public QObject
{
    Q_OBJECT

private slots:
    void windowsCarryTheIconAndTheMenuEntryName()
    {
        presentToDesktop();
        // The installed menu entry is org.numerella.Numerella.desktop.
        QCOMPARE(QGuiApplication::desktopFileName(), u"org.numerella.Numerella"_s);
        const QIcon icon = QApplication::windowIcon();
        for (int size : {16, 32, 48, 256}) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            // The icon's red tile, near its corner, not an empty picture.
            const QColor tile = image.pixelColor(size * 5 / 32, size * 5 / 32);
            QCOMPARE(tile.alpha(), 255);
            QVERIFY2(tile.red() > 2 * tile.green(), qPrintable(tile.name()));
        }
    }
};

QTEST_MAIN(TestDesktopIdentity)
#include "test_desktopidentity.moc"
