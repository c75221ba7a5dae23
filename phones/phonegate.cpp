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
    const QString address = peer.isLoopback() ? QString() : peer.toString();
    // Counted afresh only near a cap: the common case costs nothing.
    if (int(m_entries.size()) >= m_limits.connections ||
        (!address.isEmpty() && m_perAddress.value(address) >= m_limits.perAddress))
        forgetClosed();
    if (int(m_entries.size()) >= m_limits.connections ||
        (!address.isEmpty() && m_perAddress.value(address) >= m_limits.perAddress))
        return false;
    const QString key = keyOf(peer, socket->peerPort());
    m_entries.push_back({socket, address, key});
    if (!address.isEmpty())
        ++m_perAddress[address];
    m_pending.insert(key, socket);

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

PhoneGate::~PhoneGate()
{
    for (const Entry& entry : m_entries)
        if (entry.socket && m_pending.value(entry.key) == entry.socket)
            delete entry.socket.data();
}

int PhoneGate::openCount()
{
    forgetClosed();
    return int(m_entries.size());
}

void PhoneGate::upgraded(const QHostAddress& peer, quint16 port)
{
    m_pending.remove(keyOf(peer, port));
}

void PhoneGate::forgetClosed()
{
    std::erase_if(m_entries, [this](const Entry& entry) {
        // A socket closed but not yet deleted holds no place either.
        if (entry.socket && entry.socket->state() != QAbstractSocket::UnconnectedState)
            return false;
        if (!entry.address.isEmpty() && --m_perAddress[entry.address] <= 0)
            m_perAddress.remove(entry.address);
        if (m_pending.value(entry.key) == entry.socket || !entry.socket)
            m_pending.remove(entry.key);
        return true;
    });
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
