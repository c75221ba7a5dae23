#include "game/drawseries.h"
#include "grids/cardcode.h"
#include "phones/phoneserver.h"
#include "platform/clock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace {
// Two cards: number 1 holds 1-5 on its first row, number 2 another grid.
Grid gridOf(int first)
{
    Grid grid;
    const int rows[3][5] = {{0, 1, 2, 3, 4}, {0, 2, 4, 6, 8}, {1, 3, 5, 7, 8}};
    for (int r = 0; r < 3; ++r)
        for (int c : rows[r])
            grid.at(r + 1, c + 1) = c * 10 + first + r;
    return grid;
}

// A phone of the tests: what it was sent, in order.
struct Phone
{
    QWebSocket socket;
    QList<QJsonObject> received;

    explicit Phone(quint16 port, const QString& path = u"/direct"_s)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
            received.append(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        socket.open(QUrl(u"ws://127.0.0.1:%1%2"_s.arg(port).arg(path)));
    }
    QJsonObject last(const QString& type) const
    {
        for (auto k = received.size() - 1; k >= 0; --k)
            if (received[k].value(u"type"_s).toString() == type)
                return received[k];
        return {};
    }
    void send(const QString& text) { socket.sendTextMessage(text); }
};

QByteArray rawExchange(quint16 port, const QByteArray& request)
{
    // The server answers in this same event loop: never a blocking wait here.
    QTcpSocket socket;
    QByteArray answer;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { answer += socket.readAll(); });
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write(request);
    for (int k = 0; k < 30 && socket.state() != QAbstractSocket::UnconnectedState; ++k)
        QTest::qWait(50);
    return answer;
}
} // namespace

// The phones' server: what the phones are told, and all it refuses them.
class TestPhoneServer : public QObject
{
    Q_OBJECT

    SystemClock m_clock;
    std::unique_ptr<DrawSeries> m_series;
    std::unique_ptr<PhoneServer> m_server;
    QByteArray m_secret = CardCode::newSecret();

    quint16 start(PhoneLimits limits = {})
    {
        m_server = std::make_unique<PhoneServer>(*m_series, limits);
        m_server->setCardBook(CardBook(m_secret, {{1, gridOf(1)}, {2, gridOf(2)}}));
        QString why;
        [&] {
            QVERIFY2(m_server->start({QHostAddress(QHostAddress::LocalHost)}, 18090, &why),
                     qPrintable(why));
        }();
        return m_server->port();
    }
    QString codeOf(int n) const { return CardCode::of(m_secret, n, gridOf(n)); }

private slots:
    void init()
    {
        m_series = std::make_unique<DrawSeries>(QString(), m_clock);
        m_series->chooseFile(
            {u"Tirage du 12-12-2026 - 2 grilles"_s, u"f.dat"_s, u"12-12-2026"_s, 2, u"fp"_s});
    }
    void cleanup()
    {
        m_server.reset();
        m_series.reset();
    }

    void phonesFollowEveryChangeThenTheEnd()
    {
        // A port taken by another program: the next one is used.
        QTcpServer other;
        QVERIFY(other.listen(QHostAddress::LocalHost, 18090));
        const quint16 port = start();
        QCOMPARE(port, 18091);
        m_series->draw(12, DrawMethod::Hand);
        Phone phone(port);
        // Joined mid-game, it is sent what was drawn so far.
        QTRY_COMPARE(phone.last(u"etat"_s).value(u"numero"_s).toInt(), 12);
        QTRY_COMPARE(m_server->phoneCount(), 1);

        m_series->draw(47, DrawMethod::Hand);
        QTRY_COMPARE(phone.last(u"etat"_s).value(u"numero"_s).toInt(), 47);
        const QJsonObject state = phone.last(u"etat"_s);
        QCOMPARE(state.value(u"compte"_s).toString(), u"2 numéros tirés"_s);
        QCOMPARE(state.value(u"derniers"_s).toArray(), QJsonArray({47, 12}));
        QCOMPARE(state.value(u"ligne"_s).toString(), m_series->hallLine());
        m_series->undoLast();
        QTRY_COMPARE(phone.last(u"etat"_s).value(u"numero"_s).toInt(), 12);
        m_series->reinitialise();
        QTRY_VERIFY(phone.last(u"etat"_s).value(u"numero"_s).isNull());

        m_server->stop();
        QTRY_COMPARE(phone.last(u"fin"_s).value(u"message"_s).toString(),
                     u"Le tirage n'est plus suivi sur les téléphones."_s);
        QTRY_COMPARE(phone.socket.state(), QAbstractSocket::UnconnectedState);
    }

    void aCardIsFollowedOnlyWithItsCode()
    {
        const quint16 port = start();
        Phone phone(port);
        QTRY_VERIFY(!phone.last(u"etat"_s).isEmpty());
        phone.send(u"{\"ajouter\":{\"n\":2,\"code\":\"AAAAA\"}}"_s);
        QTRY_VERIFY(!phone.last(u"ajout"_s).isEmpty());
        QCOMPARE(phone.last(u"ajout"_s).value(u"message"_s).toString(),
                 u"Ce code ne correspond pas à la grille 00002."_s);

        phone.send(u"{\"ajouter\":{\"n\":1,\"code\":\"%1\"}}"_s.arg(codeOf(1).toLower()));
        QTRY_VERIFY(phone.last(u"ajout"_s).value(u"ok"_s).toBool());
        const QString receipt = phone.last(u"ajout"_s).value(u"jeton"_s).toString();
        for (int n : {1, 11, 21, 31})
            m_series->draw(n, DrawMethod::Hand);
        QTRY_COMPARE(
            phone.last(u"cartes"_s).value(u"cartes"_s)[0].toObject().value(u"etat"_s).toString(),
            u"Plus qu'un numéro : le 41 !"_s);
        m_series->draw(41, DrawMethod::Hand);
        QTRY_COMPARE(
            phone.last(u"cartes"_s).value(u"cartes"_s)[0].toObject().value(u"etat"_s).toString(),
            u"Quine sur la grille 00001 : criez-le !"_s);

        // Guessing stops at ten wrong codes a minute, even on a new connection.
        for (int k = 0; k < 10; ++k)
            phone.send(u"{\"ajouter\":{\"n\":2,\"code\":\"BBBB%1\"}}"_s.arg(k));
        QTRY_COMPARE(std::count_if(phone.received.cbegin(), phone.received.cend(),
                                   [](const QJsonObject& message) {
                                       return message.value(u"type"_s) == u"ajout"_s;
                                   }),
                     12);
        Phone again(port);
        QTRY_VERIFY(!again.last(u"etat"_s).isEmpty());
        again.send(u"{\"ajouter\":{\"n\":2,\"code\":\"%1\"}}"_s.arg(codeOf(2)));
        QTRY_VERIFY(!again.last(u"ajout"_s).isEmpty());
        QCOMPARE(again.last(u"ajout"_s).value(u"message"_s).toString(),
                 u"Trop de codes essayés : attendez une minute avant de réessayer."_s);
        // A card the laptop accepted comes back with its receipt, not as a guess.
        again.send(u"{\"suivre\":[{\"n\":1,\"code\":\"%1\",\"jeton\":\"%2\"},"
                   "{\"n\":2,\"code\":\"%3\"}]}"_s.arg(codeOf(1), receipt, codeOf(2)));
        QTRY_COMPARE(again.last(u"cartes"_s).value(u"cartes"_s).toArray().size(), 2);
        const QJsonArray cards = again.last(u"cartes"_s).value(u"cartes"_s).toArray();
        QVERIFY(!cards[0].toObject().contains(u"refus"_s));
        QCOMPARE(cards[1].toObject().value(u"refus"_s).toString(),
                 u"Trop de codes essayés : attendez une minute avant de réessayer."_s);
    }

    void whatIsNotThePageNorTheFollowingIsRefused()
    {
        PhoneLimits limits;
        limits.handshakeMs = 500;
        const quint16 port = start(limits);
        QVERIFY(rawExchange(port, "GET /numerella.js HTTP/1.1\r\nHost: x\r\n\r\n")
                    .startsWith("HTTP/1.1 200"));
        QVERIFY(rawExchange(port, "POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 1\r\n\r\nx")
                    .startsWith("HTTP/1.1 405"));
        QVERIFY(
            rawExchange(port, "DELETE / HTTP/1.1\r\nHost: x\r\n\r\n").startsWith("HTTP/1.1 405"));
        for (const QByteArray path : {"/../CMakeLists.txt", "/%2e%2e/etc/passwd", "/phones/page/",
                                      "/index.html", "//numerella.js"})
            QVERIFY2(rawExchange(port, "GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n")
                         .startsWith("HTTP/1.1 404"),
                     path.constData());
        // Huge headers, junk, and a request never finished are cut off unanswered.
        QVERIFY(!rawExchange(port, "GET / HTTP/1.1\r\nX: " + QByteArray(20000, 'a') + "\r\n\r\n")
                     .contains("200 OK"));
        QVERIFY(!rawExchange(port, QByteArray(3000, '\x01')).contains("200 OK"));
        QVERIFY(rawExchange(port, "GET / HTTP/1.1\r\nHost: x\r\n").isEmpty());

        Phone watcher(port);
        QTRY_COMPARE(m_server->phoneCount(), 1);
        Phone elsewhere(port, u"/autre"_s);
        QTRY_COMPARE(elsewhere.socket.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(rawExchange(port,
                            "GET /direct HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                                "\r\nOrigin: http://ailleurs.example\r\nUpgrade: "
                                "websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: "
                                "dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n")
                    .startsWith("HTTP/1.1 404"));
        for (const QString& junk :
             {u"bonjour"_s, u"{\"suivre\":5}"_s, u"{\"ajouter\":{\"n\":-1,\"code\":\"A\"}}"_s,
              u"{\"retirer\":1,\"x\":2}"_s}) {
            Phone rude(port);
            QTRY_VERIFY(!rude.last(u"etat"_s).isEmpty());
            rude.send(junk);
            QTRY_COMPARE(rude.socket.state(), QAbstractSocket::UnconnectedState);
        }
        Phone binary(port);
        QTRY_VERIFY(!binary.last(u"etat"_s).isEmpty());
        binary.socket.sendBinaryMessage("x");
        QTRY_COMPARE(binary.socket.state(), QAbstractSocket::UnconnectedState);
        // None of it reached the phone that only follows.
        m_series->draw(5, DrawMethod::Hand);
        QTRY_COMPARE(watcher.last(u"etat"_s).value(u"numero"_s).toInt(), 5);
        QTRY_COMPARE(m_server->phoneCount(), 1);
    }

    // A phone that stops reading, or goes silent, is let go; the others are
    // still told everything.
    void phonesThatDoNotReadOrAnswerAreDropped()
    {
        PhoneLimits limits;
        limits.pingMs = 100;
        limits.idleMs = 600;
        limits.backlogBytes = 4096;
        const quint16 port = start(limits);
        Phone reader(port);
        const auto openRaw = [port](QTcpSocket& socket) {
            socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 2048);
            socket.connectToHost(QHostAddress::LocalHost, port);
            socket.write("GET /direct HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: "
                         "Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                         "Sec-WebSocket-Version: 13\r\n\r\n");
            socket.setReadBufferSize(1);
        };
        QTcpSocket stalled;
        openRaw(stalled);
        QTRY_COMPARE(m_server->phoneCount(), 2);
        // The reader answers pings by itself; the stalled one never does,
        // and stops reading what the theme's changes send it.
        for (int k = 0; k < 400; ++k) {
            m_server->setExtras({k % 2 ? u"sombre"_s : u"clair"_s, QString(400, u'x')});
            QTest::qWait(1);
        }
        QTRY_COMPARE(m_server->phoneCount(), 1);
        QTRY_COMPARE(reader.last(u"etat"_s).value(u"theme"_s).toString(), u"sombre"_s);
        QTest::qWait(1000);
        QCOMPARE(m_server->phoneCount(), 1);
        QCOMPARE(reader.socket.state(), QAbstractSocket::ConnectedState);
    }

    void connectionsBeyondTheCapAreClosed()
    {
        PhoneLimits limits;
        limits.connections = 4;
        const quint16 port = start(limits);
        std::vector<std::unique_ptr<Phone>> phones;
        for (int k = 0; k < 6; ++k)
            phones.push_back(std::make_unique<Phone>(port));
        QTRY_COMPARE(m_server->phoneCount(), 4);
        QTRY_VERIFY(std::count_if(phones.begin(), phones.end(), [](const auto& phone) {
                        return phone->socket.state() == QAbstractSocket::UnconnectedState;
                    }) == 2);
        phones.clear();
        // Their places are given back.
        QTRY_COMPARE(m_server->phoneCount(), 0);
        Phone late(port);
        QTRY_COMPARE(m_server->phoneCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPhoneServer)
#include "test_phoneserver.moc"
