#include "phonegate.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

QString PhoneGate::keyOf(const QHostAddress& peer, quint16 port)
{
    return peer.toString() + u'#' + QString::number(port);
}

bool PhoneGate::admit(QTcpSocket* socket)
{
    const QHostAddress peer = socket->peerAddress();
    const QString address = peer.toString();
    const bool counted = !peer.isLoopback();
    if (m_open >= m_limits.connections ||
        (counted && m_perAddress.value(address) >= m_limits.perAddress))
        return false;
    ++m_open;
    if (counted)
        ++m_perAddress[address];
    const QString key = keyOf(peer, socket->peerPort());
    m_pending.insert(key, socket);
    connect(socket, &QObject::destroyed, this,
            [this, address = counted ? address : QString(), key] { release(address, key); });

    // A page request that does not end, or ends too late, is cut off.
    auto received = std::make_shared<qint64>(0);
    connect(socket, &QIODevice::readyRead, this, [this, socket, key, received] {
        if (m_pending.value(key) != socket)
            return;
        *received += socket->bytesAvailable();
        if (*received > m_limits.requestBytes)
            socket->abort();
    });
    QTimer::singleShot(m_limits.handshakeMs, this, [this, socket = QPointer(socket), key] {
        if (socket && m_pending.value(key) == socket) {
            socket->abort();
            socket->deleteLater();
        }
    });
    return true;
}

void PhoneGate::upgraded(const QHostAddress& peer, quint16 port)
{
    m_pending.remove(keyOf(peer, port));
}

void PhoneGate::release(const QString& address, const QString& key)
{
    --m_open;
    if (!address.isEmpty() && --m_perAddress[address] <= 0)
        m_perAddress.remove(address);
    m_pending.remove(key);
}

void GuardedListener::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket;
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (!m_gate.admit(socket)) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // The listener says newConnection() itself once this returns.
    addPendingConnection(socket);
}
