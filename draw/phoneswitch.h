#pragma once

#include "phones/cardbook.h"
#include "phones/networkaddresses.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class DrawSeries;
class HallControl;
class PhoneServer;
class QWidget;
struct Services;

// The draw screen's "Téléphones des joueurs": turns the phones' server on
// and off, keeps it on the network the laptop has, and gives it tonight's
// cards. Nothing listens until the operator turns it on.
class PhoneSwitch : public QObject
{
    Q_OBJECT

public:
    using AddressSource = std::function<QList<NetworkAddress>()>;

    PhoneSwitch(Services& services, DrawSeries& series, HallControl& hall, QWidget* operatorWindow,
                AddressSource addresses = localNetworkAddresses);
    ~PhoneSwitch() override;

    bool isOn() const;
    // Turning on may fail, and says why; the switch then stays off.
    void setOn(bool on);
    // The address the hall shows, "http://192.168.1.10:8090/"; empty when off
    // or when no network is left.
    QString shownAddress() const;
    // The addresses the operator may show, when there are several.
    QList<NetworkAddress> choices() const { return m_addresses; }
    int chosen() const { return m_chosen; }
    void choose(int index);
    int phoneCount() const;
    // What the operator's screen says: the address and the phones connected,
    // or what went wrong with the network.
    QString statusLine() const;
    bool isTrouble() const { return !m_trouble.isEmpty(); }
    PhoneServer* server() const { return m_server.get(); }
    // Reads the network again now (also done every few seconds).
    void refreshNetwork();

signals:
    void changed();
    void switchedOff();

private:
    void refreshCards();
    void refreshExtras();
    void showAddress();

    Services& m_services;
    DrawSeries& m_series;
    HallControl& m_hall;
    QWidget* m_operator;
    AddressSource m_source;
    std::unique_ptr<PhoneServer> m_server;
    QList<NetworkAddress> m_addresses;
    int m_chosen = 0;
    QString m_trouble;
    QString m_bookOf; // the file the cards are of
    QTimer m_networkWatch;
};

// Tonight's cards as the phones may follow them, or why they cannot.
CardBook cardBookOf(const QString& appPath, const DrawSeries& series);
