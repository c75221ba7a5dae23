#include "networkaddresses.h"

#include <QNetworkInterface>

using namespace Qt::StringLiterals;

QString NetworkAddress::label() const
{
    return interfaceName + u" - "_s + address.toString();
}

QList<NetworkAddress> localNetworkAddresses()
{
    QList<NetworkAddress> found;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress& address = entry.ip();
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                found.append({address, interface.humanReadableName()});
        }
    }
    return found;
}

QString phoneAddress(const QHostAddress& address, quint16 port)
{
    return u"http://"_s + address.toString() + u':' + QString::number(port) + u'/';
}
