#include "phoneline.h"

#include "phoneswitch.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
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
    m_status->setToolTip(line);
    m_status->setAccessibleName(line.isEmpty() ? u"Téléphones des joueurs : arrêtés"_s : line);
    m_status->setStyleSheet(m_phones.isTrouble() ? u"color: #b00000;"_s : QString());
    const QList<NetworkAddress> choices = m_phones.choices();
    m_addresses->clear();
    for (const NetworkAddress& address : choices)
        m_addresses->addItem(address.label());
    m_addresses->setCurrentIndex(m_phones.chosen());
    // A network lost is said across the whole line; the choice comes back after.
    m_addresses->setVisible(choices.size() > 1 && !m_phones.isTrouble());
    setVisible(m_phones.isOn());
    resizeEvent(nullptr);
}

void PhoneLine::resizeEvent(QResizeEvent*)
{
    m_addresses->setFont(font());
    const int comboWidth =
        m_addresses->isVisible() ? std::min(width() / 3, m_addresses->sizeHint().width()) : 0;
    const int room = width() - comboWidth - (comboWidth > 0 ? 6 : 0);
    m_status->setGeometry(0, 0, room, height());
    m_addresses->setGeometry(width() - comboWidth, 0, comboWidth, height());
    // The whole line, address and count: smaller rather than cut.
    // (The screen sizes its fonts in pixels.)
    QFont fitted = font();
    int pixels = fitted.pixelSize() > 0 ? fitted.pixelSize() : QFontInfo(fitted).pixelSize();
    fitted.setPixelSize(pixels);
    const int floor = std::max(9, pixels * 3 / 4);
    while (pixels > floor && QFontMetrics(fitted).horizontalAdvance(m_phones.statusLine()) > room)
        fitted.setPixelSize(--pixels);
    m_status->setFont(fitted);
    m_status->setText(
        QFontMetrics(fitted).elidedText(m_phones.statusLine(), Qt::ElideMiddle, room));
}
