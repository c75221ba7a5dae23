// The phones' server over a small evening, driven line by line from stdin,
// for the page's tests in a real browser and for the benches.
#include "game/drawseries.h"
#include "grids/cardcode.h"
#include "grids/gridgenerator.h"
#include "phones/networkaddresses.h"
#include "phones/phoneserver.h"
#include "platform/clock.h"
#include "platform/randomsource.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTcpServer>

#include <cstdio>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {
constexpr int Grids = 12;

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

void say(const QString& line)
{
    std::cout << line.toStdString() << std::endl;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SystemClock clock;
    SeededRandom random(2026);
    GridGenerator generator(random, clock);
    const QByteArray secret = CardCode::newSecret();
    QList<QPair<int, Grid>> grids;
    QHash<int, Grid> book;
    for (int n = 1; n <= Grids; ++n) {
        grids.append({n, generator.makeGrid()});
        book.insert(n, grids.last().second);
    }
    const SeriesFile file{u"Tirage du 12-12-2026 - 12 grilles"_s, u"12-12-2026 - 12.dat"_s,
                          u"12-12-2026"_s, Grids, u"harness"_s};

    DrawSeries series(QString(), clock);
    series.chooseFile(file, grids);
    PhoneServer server(series);
    server.setCardBook(CardBook(secret, book));
    SnapshotExtras extras{u"clair"_s, u"Comité des fêtes"_s};
    server.setExtras(extras);
    const quint16 port = freePort();
    // --reseau: on the machine's networks too, as the draw screen listens.
    QList<QHostAddress> addresses{QHostAddress(QHostAddress::LocalHost)};
    if (app.arguments().contains(u"--reseau"_s))
        for (const NetworkAddress& address : localNetworkAddresses())
            addresses.append(address.address);
    QString why;
    if (!server.start(addresses, port, &why)) {
        say(u"ERR "_s + why);
        return 1;
    }
    say(u"PORT "_s + QString::number(server.port()));
    for (const auto& [n, grid] : grids)
        say(u"CARD %1 %2"_s.arg(n).arg(CardCode::of(secret, n, grid)));
    say(u"READY"_s);

    const auto run = [&](const QStringList& words) -> QString {
        const QString command = words.value(0);
        const int arg = words.value(1).toInt();
        if (command == u"draw"_s && arg >= 1 && arg <= 90 && !series.state().isDrawn(arg))
            series.draw(arg, DrawMethod::Hand);
        else if (command == u"undo"_s)
            return series.undoLast() ? QString() : series.whyNotUndo();
        else if (command == u"reinit"_s) {
            series.reinitialise();
            series.chooseFile(file, grids);
        } else if (command == u"stop"_s)
            server.stop();
        else if (command == u"start"_s)
            return server.start(addresses, port, &why) ? QString() : why;
        else if (command == u"theme"_s) {
            extras.theme = words.value(1);
            server.setExtras(extras);
        } else if (command == u"win"_s && !series.claimablePhases().isEmpty())
            series.validateWin(arg, series.claimablePhases().first());
        else if (command == u"phones"_s)
            return u"OK "_s + QString::number(server.phoneCount());
        else if (command == u"quit"_s)
            app.quit();
        else
            return u"commande inconnue"_s;
        return QString();
    };
    QSocketNotifier input(fileno(stdin), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        // Lines that came together are all read now: the notifier says no more.
        do {
            std::string line;
            if (!std::getline(std::cin, line)) {
                app.quit();
                return;
            }
            const QString answer =
                run(QString::fromStdString(line).split(u' ', Qt::SkipEmptyParts));
            say(answer.isEmpty()             ? u"OK"_s
                : answer.startsWith(u"OK"_s) ? answer
                                             : u"ERR "_s + answer);
        } while (std::cin.rdbuf()->in_avail() > 0);
    });
    return app.exec();
}
