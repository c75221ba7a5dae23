#pragma once

#include "phoneserver.h"

#include <QHash>
#include <QPointer>
#include <QTcpServer>

#include <vector>

class QTcpSocket;

// Every socket a phone opens goes through here first: the connection caps,
// the time and bytes allowed until the page is answered or the WebSocket
// opened. Sockets belong to no listener, so a listener closed mid-evening
// takes none of them down.
class PhoneGate : public QObject
{
    Q_OBJECT

public:
    explicit PhoneGate(const PhoneLimits& limits) : m_limits(limits) {}
    // Closes the sockets that never became a WebSocket.
    ~PhoneGate() override;

    // False when the socket must be closed at once.
    bool admit(QTcpSocket* socket);
    // The page's socket became this WebSocket: the page's limits no longer apply.
    void upgraded(const QHostAddress& peer, quint16 port);
    int openCount();

private:
    struct Entry
    {
        QPointer<QTcpSocket> socket;
        QString address; // empty for the laptop itself
        QString key;
    };
    // Sockets are followed by pointer, not by their signals: the HTTP server
    // disconnects every signal of a socket it gives to the WebSocket server.
    void forgetClosed();
    static QString keyOf(const QHostAddress& peer, quint16 port);

    const PhoneLimits& m_limits;
    std::vector<Entry> m_entries;
    QHash<QString, int> m_perAddress;
    QHash<QString, QTcpSocket*> m_pending; // not a WebSocket yet, by peer
};

// A listener whose sockets the gate lets in, or not.
class GuardedListener : public QTcpServer
{
    Q_OBJECT

public:
    explicit GuardedListener(PhoneGate& gate) : m_gate(gate) {}

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    PhoneGate& m_gate;
};
