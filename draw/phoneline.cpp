#include "phoneline.h"

#include "phoneswitch.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

using namespace Qt::StringLiterals;

PhoneLine::PhoneLine(PhoneSwitch& phones, QWidget* parent)
    : QWidget(parent), m_phones(phones), m_status(new QLabel(this)),
      m_addresses(new QComboBox(this))
{
    setObjectName(u"LigneTelephones"_s);
    m_status->setObjectName(u"EtatTelephones"_s);
    m_addresses->setObjectName(u"AdresseTelephones"_s);
    m_addresses->setAccessibleName(u"Adresse montrée aux joueurs"_s);
    m_addresses->setAccessibleDescription(
        u"Le réseau par lequel les téléphones des joueurs joignent cet ordinateur"_s);
    m_addresses->view()->setAccessibleName(u"Adresses de cet ordinateur"_s);
    m_addresses->setFocusPolicy(Qt::TabFocus);
    connect(m_addresses, &QComboBox::activated, &phones, &PhoneSwitch::choose);
    connect(&phones, &PhoneSwitch::changed, this, &PhoneLine::refresh);
    refresh();
}

void PhoneLine::refresh()
{
    const QString line = m_phones.statusLine();
    m_status->setText(line);
    m_status->setAccessibleName(line.isEmpty() ? u"Téléphones des joueurs : arrêtés"_s : line);
    m_status->setStyleSheet(m_phones.isTrouble() ? u"color: #b00000;"_s : QString());
    const QList<NetworkAddress> choices = m_phones.choices();
    m_addresses->clear();
    for (const NetworkAddress& address : choices)
        m_addresses->addItem(address.label());
    m_addresses->setCurrentIndex(m_phones.chosen());
    m_addresses->setVisible(choices.size() > 1);
    setVisible(m_phones.isOn());
    resizeEvent(nullptr);
}

void PhoneLine::resizeEvent(QResizeEvent*)
{
    const int comboWidth = m_addresses->isVisible() ? width() * 2 / 5 : 0;
    m_status->setGeometry(0, 0, width() - comboWidth, height());
    m_addresses->setGeometry(width() - comboWidth, 0, comboWidth, height());
    m_status->setFont(font());
    m_addresses->setFont(font());
}
