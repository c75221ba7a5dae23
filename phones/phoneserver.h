#pragma once

#include "cardbook.h"
#include "drawsnapshot.h"
#include "phonerequest.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class DrawSeries;
class PageServer;
class PhoneGate;
class QTcpServer;
class QWebSocket;

// How much a hall of phones, or a hostile one, may ask of the laptop.
struct PhoneLimits
{
    int connections = 3000;  // sockets open at once, pages and WebSockets
    int perAddress = 32;     // from one phone; the laptop itself is not counted
    int requestBytes = 8192; // what a page request may send before its answer
    int handshakeMs = 10000; // to ask for the page or open the WebSocket
    int pingMs = 20000;
    int idleMs = 60000;          // a phone silent that long, pings unanswered, is dropped
    qint64 backlogBytes = 65536; // unread by a phone: it is dropped, the others go on
    int messagesPerMinute = 30;
    int wrongCodesPerMinute = 10; // per phone and per address
};

// The players' phones' server: serves its own page and the draw's state,
// and never changes the evening. It runs in the program's event loop and
// never waits on a phone: what cannot be sent at once is the phone's loss.
class PhoneServer : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 8090;

    explicit PhoneServer(const DrawSeries& series, PhoneLimits limits = {},
                         QObject* parent = nullptr);
    ~PhoneServer() override;

    // Listens on each address, all on one port: the first free from
    // `firstPort`. False, with the reason in French, when none can be had.
    bool start(const QList<QHostAddress>& addresses, quint16 firstPort, QString* why);
    // Tells every phone the draw is no longer followed, and stops listening.
    void stop();
    bool isListening() const { return !m_listeners.empty(); }
    quint16 port() const { return m_port; }
    QList<QHostAddress> addresses() const;
    // Listens on one more address, on the same port; false when it cannot.
    bool listenAlso(const QHostAddress& address);
    void forget(const QHostAddress& address);

    int phoneCount() const { return int(m_phones.size()); }
    void setExtras(const SnapshotExtras& extras);
    void setCardBook(const CardBook& book);

signals:
    void phoneCountChanged(int count);

protected:
    bool event(QEvent* event) override;

private:
    struct FollowedCard
    {
        int number = 0;
        QString code;
        std::optional<Grid> grid; // empty when refused
        QString refusal;
    };
    struct Phone;

    void takeWebSockets();
    void onMessage(Phone& phone, const QString& message);
    void follow(Phone& phone, const QList<PhoneCard>& cards);
    void add(Phone& phone, const PhoneCard& card);
    FollowedCard lookUp(Phone& phone, const PhoneCard& card, bool counted);
    bool mayTryCode(Phone& phone);
    // The receipt of a card accepted: a phone that shows it again on
    // reconnecting is not guessing, whatever its address tried meanwhile.
    QString tokenOf(const PhoneCard& card) const;
    void sendCards(Phone& phone);
    void broadcastSoon();
    void broadcast();
    void sweep();
    void drop(Phone& phone);
    void removeDropped();
    bool send(Phone& phone, const QString& message);

    const DrawSeries& m_series;
    PhoneLimits m_limits;
    SnapshotExtras m_extras;
    CardBook m_book;
    QByteArray m_tokenSecret; // new each time the program starts
    quint16 m_port = 0;
    std::unique_ptr<PhoneGate> m_gate;
    std::unique_ptr<PageServer> m_pages;
    std::vector<std::unique_ptr<QTcpServer>> m_listeners;
    std::vector<std::unique_ptr<Phone>> m_phones;
    QHash<QString, QList<qint64>> m_wrongCodesByAddress;
    QByteArray m_lastState;
    bool m_broadcastDue = false;
    QTimer m_sweep;
};
