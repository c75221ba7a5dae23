#pragma once

#include "phoneserver.h"

#include <QHash>
#include <QTcpServer>

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

    // False when the socket must be closed at once.
    bool admit(QTcpSocket* socket);
    // The page's socket became this WebSocket: the page's limits no longer apply.
    void upgraded(const QHostAddress& peer, quint16 port);
    int openCount() const { return m_open; }

private:
    void release(const QString& address, const QString& key);
    static QString keyOf(const QHostAddress& peer, quint16 port);

    const PhoneLimits& m_limits;
    int m_open = 0;
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
