// The players' phones' costs, on loopback. The server runs here; the phones
// are QWebSocket clients in child processes (this program, started with
// --clients N --port P), so their work is not counted in the server's loop.
//  - from a number committed to the record to the last phone holding it, for
//    1000, 2000 and 3000 phones;
//  - the server's memory added per 1000 phones;
//  - the draw key to both windows painted, with 2000 phones against none.
// Times cross processes on CLOCK_MONOTONIC (steady_clock, system-wide on Linux).
// Each size runs in a server process of its own; the paint in this one.
// Run by hand: bench/bench_phones [--sizes 1000,2000,3000] [--draws 30]
//              [--children 1] [--paint-phones 2000]
#include "draw/tirage.h"
#include "fakes/fakeservices.h"
#include "game/drawseries.h"
#include "grids/gridgenerator.h"
#include "hall/halldisplay.h"
#include "phones/phoneserver.h"
#include "platform/clock.h"
#include "platform/param.h"
#include "platform/randomsource.h"

#include <QApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>
#include <QWindow>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iostream>
#include <malloc.h>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
constexpr int InFlight = 64;   // handshakes a child keeps open at once
constexpr int SpacingMs = 500; // longer than the slowest broadcast: draws do not queue

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void raiseOpenFiles(rlim_t wanted)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= wanted)
        return;
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, limit.rlim_max);
    setrlimit(RLIMIT_NOFILE, &limit);
}

double rssMb()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Runs the event loop until `done` holds or `timeoutMs` passed; whether it holds.
bool spinUntil(const std::function<bool()>& done, int timeoutMs)
{
    const qint64 end = nowNs() + qint64(timeoutMs) * 1000000;
    // Wakes the loop at the end only: a ticking timer would have the server
    // poll every socket at each tick, a cost the program does not have.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(timeoutMs);
    while (!done()) {
        if (nowNs() >= end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = size_t(std::ceil(p * double(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

// ---- The phones: a child process ------------------------------------------

// `"numero":47` in a state; 0 when null or absent.
int numberIn(const QString& text)
{
    static const QString key = u"\"numero\":"_s;
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return 0;
    int n = 0;
    for (qsizetype k = at + key.size(); k < text.size() && text[k].isDigit(); ++k)
        n = n * 10 + text[k].digitValue();
    return n;
}

// Opens `count` WebSockets, says "READY greeted failed" once each had its
// first state or failed, then keeps the time of every state received until
// asked: "dump" prints them ("R number ns" lines, then "END"), "quit" ends.
int runPhones(int argc, char** argv, int count, quint16 port)
{
    raiseOpenFiles(rlim_t(count) + 256);
    // The phones stand in for other devices: as cheap as they can be. Glib's
    // loop walks every socket's source at each turn; Qt's own polls them.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    const QUrl url(u"ws://127.0.0.1:%1/direct"_s.arg(port));
    std::vector<std::unique_ptr<QWebSocket>> sockets{size_t(count)};
    std::vector<bool> greeted(size_t(count), false);
    std::vector<int> seen(size_t(count), -1); // the number of each phone's last state
    std::vector<std::pair<int, qint64>> receipts;
    receipts.reserve(size_t(count) * 64);
    int opened = 0, opening = 0, ready = 0, failed = 0, lost = 0;
    bool saidReady = false;

    const auto sayReady = [&] {
        if (!saidReady && ready + failed == count) {
            saidReady = true;
            std::printf("READY %d %d\n", ready, failed);
            std::fflush(stdout);
        }
    };
    std::function<void()> openMore = [&] {
        while (opening < InFlight && opened < count) {
            const size_t i = size_t(opened++);
            ++opening;
            sockets[i] = std::make_unique<QWebSocket>();
            QWebSocket* socket = sockets[i].get();
            QObject::connect(socket, &QWebSocket::textMessageReceived, [&, i](const QString& text) {
                const qint64 t = nowNs();
                if (!greeted[i]) {
                    greeted[i] = true;
                    --opening;
                    ++ready;
                    sayReady();
                    openMore();
                    return;
                }
                // Only a new number counts: a state sent again for anything else does not.
                if (const int n = numberIn(text);
                    text.contains(u"\"type\":\"etat\""_s) && n != seen[i]) {
                    seen[i] = n;
                    receipts.emplace_back(n, t);
                }
            });
            QObject::connect(socket, &QWebSocket::disconnected, [&, i] {
                if (!greeted[i]) {
                    greeted[i] = true;
                    --opening;
                    ++failed;
                    sayReady();
                    openMore();
                } else {
                    ++lost;
                }
            });
            socket->open(url);
        }
    };
    openMore();

    QSocketNotifier input(fileno(stdin), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line) || line == "quit") {
            input.setEnabled(false);
            app.quit();
            return;
        }
        if (line == "dump") {
            std::string out;
            out.reserve(receipts.size() * 24);
            for (const auto& [n, t] : receipts)
                out += "R " + std::to_string(n) + ' ' + std::to_string(t) + '\n';
            out += "LOST " + std::to_string(lost) + "\nEND\n";
            std::fwrite(out.data(), 1, out.size(), stdout);
            std::fflush(stdout);
            receipts.clear();
        }
    });
    return app.exec();
}

// ---- The server's side ----------------------------------------------------

// The phones, split over a few child processes.
class Phones
{
public:
    Phones(int count, int children, quint16 port)
    {
        for (int c = 0; c < children; ++c) {
            const int share = count / children + (c < count % children ? 1 : 0);
            auto child = std::make_unique<Child>();
            child->process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            QObject::connect(
                &child->process, &QProcess::readyReadStandardOutput, [raw = child.get()] {
                    while (raw->process.canReadLine())
                        raw->lines.append(QString::fromLatin1(raw->process.readLine().trimmed()));
                });
            child->process.start(
                QCoreApplication::applicationFilePath(),
                {u"--clients"_s, QString::number(share), u"--port"_s, QString::number(port)});
            m_children.push_back(std::move(child));
        }
    }

    ~Phones()
    {
        for (const auto& child : m_children) {
            child->process.write("quit\n");
            child->process.closeWriteChannel();
        }
        for (const auto& child : m_children)
            if (!child->process.waitForFinished(5000))
                child->process.kill();
    }

    // The phones that had their first state, once every child said so.
    int waitReady(int timeoutMs, int* failed)
    {
        int ready = 0;
        *failed = 0;
        for (const auto& child : m_children) {
            spinUntil([&] { return child->find(u"READY"_s) >= 0; }, timeoutMs);
            const QStringList words = child->lines.value(child->find(u"READY"_s)).split(u' ');
            ready += words.value(1).toInt();
            *failed += words.value(2).toInt();
            child->lines.clear();
        }
        return ready;
    }

    // Every state received since the last call: number, time.
    std::vector<std::pair<int, qint64>> receipts(int* lost)
    {
        std::vector<std::pair<int, qint64>> all;
        *lost = 0;
        for (const auto& child : m_children)
            child->process.write("dump\n");
        for (const auto& child : m_children) {
            spinUntil([&] { return child->find(u"END"_s) >= 0; }, 20000);
            for (const QString& line : std::as_const(child->lines)) {
                const QStringList words = line.split(u' ');
                if (words.value(0) == u"R"_s)
                    all.emplace_back(words.value(1).toInt(), words.value(2).toLongLong());
                else if (words.value(0) == u"LOST"_s)
                    *lost += words.value(1).toInt();
            }
            child->lines.clear();
        }
        return all;
    }

private:
    struct Child
    {
        QProcess process;
        QStringList lines;
        qsizetype find(const QString& word) const
        {
            for (qsizetype k = 0; k < lines.size(); ++k)
                if (lines[k].startsWith(word))
                    return k;
            return -1;
        }
    };
    std::vector<std::unique_ptr<Child>> m_children;
};

struct Options
{
    QList<int> sizes{1000, 2000, 3000};
    int draws = 30;
    int children = 1;
    int paintPhones = 2000;
};

// A fresh series with its record, N phones following it, `draws` numbers.
void benchLatency(const Options& options, int count)
{
    QTemporaryDir dir;
    SystemClock clock;
    SeededRandom random(2026);
    GridGenerator generator(random, clock);
    QList<QPair<int, Grid>> grids;
    for (int n = 1; n <= 200; ++n)
        grids.append({n, generator.makeGrid()});
    DrawSeries series(dir.filePath(u"numerella.db"_s), clock);
    series.chooseFile({u"Tirage du 12-12-2026 - 200 grilles"_s, u"12-12-2026 - 200.dat"_s,
                       u"12-12-2026"_s, 200, u"bench"_s},
                      grids);
    std::vector<qint64> drawnAt(91, 0);
    QObject::connect(&series, &DrawSeries::numberDrawn,
                     [&](int n) { drawnAt[size_t(n)] = nowNs(); });

    PhoneServer server(series);
    server.setExtras({u"clair"_s, u"Comité des fêtes"_s});
    QString why;
    if (!server.start({QHostAddress(QHostAddress::LocalHost)}, freePort(), &why)) {
        std::printf("%d phones: the server did not start: %s\n", count, qPrintable(why));
        return;
    }
    spinFor(50);
    malloc_trim(0);
    const double before = rssMb();
    const qint64 connectStart = nowNs();
    Phones phones(count, options.children, server.port());
    int failed = 0;
    const int ready = phones.waitReady(60000, &failed);
    const double connectS = double(nowNs() - connectStart) / 1e9;
    spinFor(500); // the first states written out
    const double after = rssMb();

    // A fixed order of numbers, the same for every size.
    std::vector<int> order(90);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), std::mt19937(90));
    order.resize(size_t(options.draws));
    for (const int n : order) {
        series.draw(n, DrawMethod::Hand);
        spinFor(SpacingMs);
    }
    spinFor(1500);

    int lost = 0;
    const auto receipts = phones.receipts(&lost);
    std::vector<double> last(91, -1), all;
    std::vector<int> got(91, 0);
    for (const auto& [n, t] : receipts) {
        if (n < 1 || n > 90 || drawnAt[size_t(n)] == 0)
            continue;
        const double ms = double(t - drawnAt[size_t(n)]) / 1e6;
        last[size_t(n)] = std::max(last[size_t(n)], ms);
        all.push_back(ms);
        ++got[size_t(n)];
    }
    std::vector<double> perDraw;
    int fewest = ready;
    for (const int n : order) {
        perDraw.push_back(last[size_t(n)]);
        fewest = std::min(fewest, got[size_t(n)]);
    }
    std::printf("%d phones (%d ready, %d refused, connected in %.1f s)\n", count, ready, failed,
                connectS);
    std::printf("  record to last phone    median %7.1f ms  p99 %7.1f  max %7.1f  (%d draws)\n",
                percentile(perDraw, 0.5), percentile(perDraw, 0.99), percentile(perDraw, 1.0),
                options.draws);
    std::printf("  record to each phone    median %7.1f ms  p99 %7.1f  (%zu receipts)\n",
                percentile(all, 0.5), percentile(all, 0.99), all.size());
    std::printf("  fewest phones reached by one draw %d of %d; %d dropped\n", fewest, ready, lost);
    std::printf("  server memory %.1f -> %.1f MB: %.1f MB per 1000 phones\n", before, after,
                (after - before) * 1000.0 / std::max(1, ready));
}

// Times from the draw key to the first paint of each window after it,
// taken once the paint is done: the window's update request is run here.
class PaintClock : public QObject
{
public:
    PaintClock(QWidget& first, QWidget& second) : m_windows{&first, &second}
    {
        qApp->installEventFilter(this);
    }

    void arm() { m_painted = {0, 0}; }
    bool bothPainted() const { return m_painted[0] && m_painted[1]; }
    qint64 lastPainted() const { return std::max(m_painted[0], m_painted[1]); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_inside || event->type() != QEvent::UpdateRequest)
            return false;
        for (size_t w = 0; w < 2; ++w) {
            if (watched != m_windows[w])
                continue;
            m_inside = true;
            watched->event(event);
            m_inside = false;
            if (!m_painted[w])
                m_painted[w] = nowNs();
            return true;
        }
        return false;
    }

private:
    std::array<QWidget*, 2> m_windows;
    std::array<qint64, 2> m_painted{0, 0};
    bool m_inside = false;
};

void benchPaint(const Options& options)
{
    QTemporaryDir appDir;
    Param::setGlobals(
        AppGlobals::compose(appDir.filePath(u"numerella"_s), QDateTime::currentDateTime()));
    FakeServices fakes;
    Tirage screen(fakes.services);
    screen.setGeometry(0, 0, 1920, 1080);
    screen.show();
    HallDisplay hall(screen.series(), &screen);
    hall.setGeometry(0, 0, 1920, 1080);
    hall.show();
    spinUntil([&] { return hall.windowHandle() && hall.windowHandle()->isExposed(); }, 5000);
    spinFor(200);
    PhoneServer server(screen.series());
    QString why;
    if (!server.start({QHostAddress(QHostAddress::LocalHost)}, freePort(), &why)) {
        std::printf("paint: the server did not start: %s\n", qPrintable(why));
        return;
    }
    PaintClock clock(screen, hall);
    fakes.messages.answer(MsgAnswer::Yes); // no grid file: draw anyway

    int missed = 0;
    const auto drawAll = [&] {
        std::vector<double> ms;
        for (int k = 0; k < options.draws; ++k) {
            clock.arm();
            const qint64 start = nowNs();
            screen.ProcTirage();
            if (!spinUntil([&] { return clock.bothPainted(); }, 2000))
                ++missed;
            else
                ms.push_back(double(clock.lastPainted() - start) / 1e6);
            spinFor(SpacingMs); // the phones written to before the next key
        }
        return ms;
    };
    const std::vector<double> alone = drawAll();
    std::unique_ptr<Phones> phones;
    int ready = 0, failed = 0;
    if (options.paintPhones > 0) {
        phones = std::make_unique<Phones>(options.paintPhones, options.children, server.port());
        ready = phones->waitReady(60000, &failed);
        spinFor(500);
    }
    const std::vector<double> followed = drawAll();
    const double a = percentile(alone, 0.5), f = percentile(followed, 0.5);
    std::printf("draw key to both windows painted, 1920 x 1080 offscreen\n");
    std::printf("  no phone                median %7.2f ms  p90 %7.2f  max %7.2f\n", a,
                percentile(alone, 0.9), percentile(alone, 1.0));
    std::printf("  %4d phones             median %7.2f ms  p90 %7.2f  max %7.2f\n", ready, f,
                percentile(followed, 0.9), percentile(followed, 1.0));
    std::printf("  ratio %.2f (medians, %d draws each%s)\n", a > 0 ? f / a : 0.0, options.draws,
                missed ? ", some windows not painted" : "");
}

QString loadAverage()
{
    QFile file(u"/proc/loadavg"_s);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readLine().trimmed())
                                          : QString();
}

QList<int> parseSizes(const QString& text)
{
    QList<int> sizes;
    for (const QString& word : text.split(u',', Qt::SkipEmptyParts))
        if (const int n = word.toInt(); n > 0)
            sizes.append(n);
    return sizes;
}
} // namespace

int main(int argc, char* argv[])
{
    for (int k = 1; k + 3 < argc; ++k)
        if (std::string(argv[k]) == "--clients" && std::string(argv[k + 2]) == "--port")
            return runPhones(argc, argv, std::atoi(argv[k + 1]), quint16(std::atoi(argv[k + 3])));

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options;
    const QStringList args = app.arguments();
    for (qsizetype k = 1; k + 1 < args.size(); ++k) {
        if (args[k] == u"--sizes"_s)
            options.sizes = parseSizes(args[k + 1]);
        else if (args[k] == u"--draws"_s)
            options.draws = std::clamp(args[k + 1].toInt(), 1, 40);
        else if (args[k] == u"--children"_s)
            options.children = std::max(1, args[k + 1].toInt());
        else if (args[k] == u"--paint-phones"_s)
            options.paintPhones = std::max(0, args[k + 1].toInt());
    }
    if (args.contains(u"--one-size"_s)) {
        benchLatency(options, options.sizes.value(0));
        return 0;
    }
    std::printf("load average at start: %s\n", qPrintable(loadAverage()));
    // Each size in a fresh server process: memory freed by the size before
    // would be taken again unseen, and counted short.
    for (const int count : std::as_const(options.sizes)) {
        QProcess size;
        size.setProcessChannelMode(QProcess::ForwardedChannels);
        size.start(QCoreApplication::applicationFilePath(),
                   {u"--one-size"_s, u"--sizes"_s, QString::number(count), u"--draws"_s,
                    QString::number(options.draws), u"--children"_s,
                    QString::number(options.children)});
        size.waitForFinished(180000);
    }
    benchPaint(options);
    std::printf("load average at end: %s\n", qPrintable(loadAverage()));
    return 0;
}
