#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// Where the phones of the hall can reach the laptop: IPv4 on each network
// interface that is up, the loopback left out.
struct NetworkAddress
{
    QHostAddress address;
    QString interfaceName; // as the system calls it: "wlan0", "Wi-Fi"

    // "wlan0 - 192.168.1.10"
    QString label() const;
    bool operator==(const NetworkAddress&) const = default;
};

QList<NetworkAddress> localNetworkAddresses();

// "http://192.168.1.10:8090/"
QString phoneAddress(const QHostAddress& address, quint16 port);
