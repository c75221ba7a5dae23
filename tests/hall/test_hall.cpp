#include "draw/drawtoolbar.h"
#include "draw/phoneswitch.h"
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "hall/hallcontrol.h"
#include "hall/halldisplay.h"
#include "hall/halllayout.h"
#include "hall/hallplacement.h"
#include "hall/hallview.h"
#include "platform/atomicfile.h"
#include "platform/param.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {
const QRect Laptop(0, 0, 1366, 768);
const QRect Projector(1366, 0, 1920, 1080);
} // namespace

// The hall display: where it goes, how big it reads, and that it shows the
// series the operator draws, whatever the operator does.
class TestHall : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dataDir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Tirage> m_screen;

    QString themePath() const { return m_dataDir.filePath(u"donnees/theme-salle.txt"_s); }
    QToolButton* button(const QString& key) { return m_screen->barre()->button(key); }
    HallView* view() { return m_screen->hall().display()->view(); }

    void openScreen()
    {
        m_screen = std::make_unique<Tirage>(m_fakes->services);
        m_screen->resize(1024, 740);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

    // The hall display as the players see it, at projector size.
    QImage hallPicture()
    {
        view()->resize(1920, 1080);
        return view()->grab().toImage();
    }

    QColor cellColour(const QImage& picture, int n)
    {
        const QRect cell = view()->hallLayout().cells[static_cast<std::size_t>(n - 1)];
        return picture.pixelColor(cell.topLeft() + QPoint(2, 2));
    }

private slots:
    void init()
    {
        AppGlobals globals =
            AppGlobals::compose(m_dataDir.filePath(u"numerella"_s), QDateTime::currentDateTime());
        globals.HallThemeFile = themePath();
        Param::setGlobals(globals);
        QFile::remove(themePath());
        m_fakes = std::make_unique<FakeServices>();
        openScreen();
    }

    void cleanup() { m_screen.reset(); }

    void aSecondScreenGetsTheHallFullScreen()
    {
        // The projector, whichever side it is plugged.
        QCOMPARE(placeHall({Laptop, Projector}, 0), (HallPlacement{1, true, Projector}));
        QCOMPARE(placeHall({Projector, Laptop}, 1), (HallPlacement{0, true, Projector}));
        // Three screens: the largest of those the operator does not use.
        const QRect small(3286, 0, 800, 600);
        QCOMPARE(placeHall({Laptop, small, Projector}, 0).screen, 2);
        // The draw screen on the projector by mistake: the hall takes the laptop.
        QCOMPARE(placeHall({Laptop, Projector}, 1).screen, 0);
    }

    void oneScreenGetsAWindowNeverLostOffIt()
    {
        // Opened: two thirds of the screen, in its middle.
        const HallPlacement opened = placeHall({Laptop}, 0);
        QCOMPARE(opened, (HallPlacement{0, false, QRect(227, 127, 910, 512)}));
        // Moved by the operator: kept where it was put.
        const QRect moved(500, 300, 800, 450);
        QCOMPARE(placeHall({Laptop}, 0, moved).geometry, moved);
        // The projector unplugged while the window was on it, or its title
        // bar pushed above the screen: it comes back to the laptop.
        for (const QRect& lost : {QRect(1500, 100, 800, 450), QRect(100, -40, 800, 450),
                                  QRect(1300, 700, 800, 450), QRect(0, 0, 1920, 1080)})
            QCOMPARE(placeHall({Laptop}, 0, lost), opened);
        // A draw screen the desktop cannot place is taken to be on the first screen.
        QCOMPARE(placeHall({Laptop, Projector}, 7).screen, 1);
        QCOMPARE(placeHall({}, 0).screen, -1);
    }

    void readableFromTheBackOfTheHall_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("projector 1920 x 1080") << QSize(1920, 1080);
        QTest::newRow("television 1280 x 720") << QSize(1280, 720);
        QTest::newRow("old projector 1024 x 768") << QSize(1024, 768);
        QTest::newRow("4:3 projector 1600 x 1200") << QSize(1600, 1200);
    }

    void readableFromTheBackOfTheHall()
    {
        QFETCH(QSize, size);
        const QFont family = HallLayout::family();
        const HallLayout l = HallLayout::compute(size, family);
        const QRectF digits =
            QFontMetricsF(HallLayout::font(family, l.numberPixels)).tightBoundingRect(u"88"_s);
        const qreal h = size.height();
        if (size.width() * 9 >= size.height() * 16) {
            QVERIFY2(digits.height() >= 0.6 * h, qPrintable(QString::number(digits.height() / h)));
            QVERIFY2(l.boardPixels >= h / 20,
                     qPrintable(QString::number(l.boardPixels) + u" "_s +
                                QString::number(l.cells[0].width()) + u" "_s +
                                QString::number(l.number.width())));
        }
        // The header too, on a wide screen as on a 4:3 one, each line in its own band.
        if (size.width() * 3 >= size.height() * 4) {
            QVERIFY2(l.headerFloor >= h / 20 && l.titlePixels >= l.headerFloor,
                     qPrintable(QString::number(l.titlePixels)));
        }
        const QFontMetrics header(HallLayout::font(family, l.titlePixels));
        QVERIFY(header.height() <= l.title.height() && header.height() <= l.programme.height());
        QVERIFY(l.title.bottom() < l.programme.top());
        QVERIFY(l.programme.bottom() < l.number.top() && l.programme.bottom() < l.board.top());
        // A long line shrinks to the floor, then is cut short, never past its band.
        const HallLayout::FittedLine fitted =
            HallLayout::fitLine(family, u"Quine : grille 123 - Un jambon ; "_s.repeated(6),
                                l.programme.width(), l.titlePixels, l.headerFloor);
        QCOMPARE(fitted.pixels, l.headerFloor);
        QVERIFY(fitted.text.endsWith(u'…'));
        QVERIFY(
            QFontMetrics(HallLayout::font(family, fitted.pixels)).horizontalAdvance(fitted.text) <=
            l.programme.width());
        // Never clipped, never over the board, whatever the shape.
        QVERIFY(digits.width() <= l.number.width());
        QVERIFY(l.number.right() < l.board.left());
        const QRect window(QPoint(0, 0), size);
        QVERIFY(window.contains(l.cells[0]) && window.contains(l.cells[89]));
        QVERIFY(window.contains(l.lastFive[4]));
        QVERIFY(!l.cells[0].intersects(l.cells[1]) && !l.cells[0].intersects(l.cells[10]));
    }

    void theHallShowsEveryChangeOfTheSeries()
    {
        QTest::keyClick(m_screen.get(), Qt::Key_F5);
        HallDisplay* hall = m_screen->hall().display();
        QVERIFY(hall && hall->isVisible());
        QCOMPARE(hall->windowTitle(), u"Numerella - Salle"_s);
        QVERIFY(button(u"Salle"_s)->isChecked());
        QCOMPARE(view()->cursor().shape(), Qt::BlankCursor);

        const HallTheme light = HallTheme::of(HallThemeName::Clair);
        DrawSeries& series = m_screen->series();
        series.draw(42, DrawMethod::Hand);
        series.draw(7, DrawMethod::BallMachine);
        QCOMPARE(view()->accessibleName(), u"Écran de la salle : Numéro 7, 2 numéros tirés"_s);
        QImage picture = hallPicture();
        QCOMPARE(cellColour(picture, 42), light.cellOn);
        QCOMPARE(cellColour(picture, 7), light.cellOn);
        QCOMPARE(cellColour(picture, 8), light.cellOff);

        messages().answer(MsgAnswer::Yes);
        m_screen->ProcAnnuler();
        QCOMPARE(cellColour(hallPicture(), 7), light.cellOff);
        QCOMPARE(view()->accessibleName(), u"Écran de la salle : Numéro 42, 1 numéro tiré"_s);

        // A winning grid checked by the operator shows there until the panel closes.
        ShownWin win{u"La grille gagne"_s, {}, {1, 2}, {}};
        win.cells[0] = u"4"_s;
        win.cells[1] = u"12"_s;
        series.showWin(win);
        picture = hallPicture();
        QVERIFY(picture.pixelColor(view()->hallLayout().cells[41].center()) != light.cellOn);
        m_screen->Quitter_Click();
        QVERIFY(!series.shownWin());
        QCOMPARE(cellColour(hallPicture(), 42), light.cellOn);

        messages().answer(MsgAnswer::Yes);
        m_screen->ProcReinit();
        QCOMPARE(view()->accessibleName(), u"Écran de la salle : Aucun numéro tiré"_s);

        // F5 again, or leaving the draw, closes it.
        QTest::keyClick(m_screen.get(), Qt::Key_F5);
        QVERIFY(!hall->isVisible());
        QVERIFY(!button(u"Salle"_s)->isChecked());
        m_screen->hall().toggle();
        m_screen->close();
        QVERIFY(!hall->isVisible());
    }

    void theThemeIsRememberedForTheNextEvening()
    {
        QVERIFY(!button(u"Theme"_s)->isChecked());
        m_screen->hall().toggle();
        button(u"Theme"_s)->click();
        const HallTheme dark = HallTheme::of(HallThemeName::Sombre);
        QCOMPARE(hallPicture().pixelColor(2, 2), dark.background);
        QFile saved(themePath());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), "sombre\n");

        openScreen();
        QVERIFY(button(u"Theme"_s)->isChecked());
        m_screen->hall().toggle();
        QCOMPARE(hallPicture().pixelColor(2, 2), dark.background);
        QVERIFY(messages().shown.isEmpty());
    }

    void aThemeThatCannotBeKeptIsSaidAndUsedAnyway()
    {
        // Anything odd where the choice is kept reads as the light theme...
        QDir().mkpath(themePath());
        openScreen();
        QVERIFY(!button(u"Theme"_s)->isChecked());
        // ... and cannot be written over: the operator is told, the hall goes dark.
        m_screen->hall().toggle();
        button(u"Theme"_s)->click();
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
        QVERIFY(messages().last().text.startsWith(
            u"Le thème de l'écran de la salle ne pourra pas être retenu pour la prochaine fois :\n"_s));
        QCOMPARE(hallPicture().pixelColor(2, 2), HallTheme::of(HallThemeName::Sombre).background);
        QDir(themePath()).removeRecursively();
    }

    // A link in the choice's place is replaced, never written through; a full
    // disk leaves the choice saved before.
    void theChoiceIsWrittenWholeAndNeverThroughALink()
    {
        const auto contents = [](const QString& path) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        };
        const QString elsewhere = m_dataDir.filePath(u"ailleurs.txt"_s);
        {
            QFile other(elsewhere);
            QVERIFY(other.open(QIODevice::WriteOnly));
            other.write("à garder");
        }
        QDir().mkpath(QFileInfo(themePath()).path());
        QVERIFY(QFile::link(elsewhere, themePath()));
        button(u"Theme"_s)->click();
        QVERIFY(!QFileInfo(themePath()).isSymLink());
        QCOMPARE(contents(themePath()), "sombre\n");
        QCOMPARE(contents(elsewhere), "à garder");

        AtomicFile::injectWriteFault(0, ENOSPC);
        button(u"Theme"_s)->click();
        AtomicFile::injectWriteFault(0, 0);
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last().text,
                 u"Le thème de l'écran de la salle ne pourra pas être retenu pour la prochaine "
                 "fois :\n"_s +
                     QDir::toNativeSeparators(themePath()) + u"\ndisque plein"_s);
        QCOMPARE(contents(themePath()), "sombre\n");
        QCOMPARE(QDir(QFileInfo(themePath()).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"theme-salle.txt"_s});
    }

    // The phones' switch, over networks that come and go.
    void thePhonesInvitationFollowsTheNetwork()
    {
        QList<NetworkAddress> network;
        PhoneSwitch phones(m_fakes->services, m_screen->series(), m_screen->hall(), m_screen.get(),
                           [&] { return network; });
        int offs = 0;
        connect(&phones, &PhoneSwitch::switchedOff, this, [&] { ++offs; });
        phones.setOn(true);
        QVERIFY(!phones.isOn());
        QCOMPARE(offs, 1);
        QVERIFY(messages().last().text.startsWith(
            u"Aucun réseau n'est ouvert sur cet ordinateur : les téléphones des joueurs ne "
            "peuvent pas le joindre.\n\nBranchez-le au Wi-Fi de la salle, ou faites-en un point "
            "d'accès Wi-Fi"_s));

        network = {{QHostAddress(u"127.0.0.1"_s), u"essai"_s}};
        m_screen->hall().toggle();
        phones.setOn(true);
        QVERIFY(phones.isOn());
        const QString address = phones.shownAddress();
        QVERIFY2(address.startsWith(u"http://127.0.0.1:80"_s), qPrintable(address));
        QCOMPARE(phones.statusLine(), u"Téléphones : "_s + address + u" - 0 téléphone connecté"_s);
        QCOMPARE(view()->invitation(), address);
        QVERIFY(
            view()->spokenState().endsWith(u"Suivez le tirage sur votre téléphone : "_s + address));
        // The code and its words sit beside the board, not over it.
        hallPicture();
        const HallLayout& layout = view()->hallLayout();
        QVERIFY(layout.qrCode.width() >= 600);
        QVERIFY(layout.qrCode.left() > layout.cells[9].right());
        QVERIFY(layout.address.bottom() < 1080);

        network.clear();
        phones.refreshNetwork();
        QVERIFY(phones.statusLine().startsWith(u"Plus aucun réseau : les téléphones ne suivent "
                                               "plus le tirage"_s));
        QVERIFY(view()->invitation().isEmpty());
        phones.setOn(false);
        QVERIFY(phones.statusLine().isEmpty());
    }

private:
    ScriptedMessages& messages() { return m_fakes->messages; }
};

QTEST_MAIN(TestHall)
#include "test_hall.moc"
