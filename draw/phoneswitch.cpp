#include "phoneswitch.h"

#include "drawgridfile.h"
#include "evening/organiser.h"
#include "game/drawseries.h"
#include "grids/gridfile.h"
#include "grids/gridfileerror.h"
#include "grids/gridfolder.h"
#include "hall/hallcontrol.h"
#include "phones/phoneserver.h"
#include "platform/busypointer.h"
#include "platform/counttext.h"
#include "platform/param.h"
#include "platform/services.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int NetworkWatchMs = 5000;

const QString NoNetwork =
    u"Aucun réseau n'est ouvert sur cet ordinateur : les téléphones des joueurs ne peuvent pas "
    "le joindre.\n\nBranchez-le au Wi-Fi de la salle, ou faites-en un point d'accès Wi-Fi "
    "(« partage de connexion » dans les réglages du réseau) et demandez aux joueurs de s'y "
    "connecter. Puis appuyez de nouveau sur « Téléphones des joueurs »."_s;
const QString CardsNotFollowed = u" : « Mes grilles » ne peut pas suivre les cartes."_s;

QString bookKey(const DrawSeries& series)
{
    return series.file().fingerprint + u'|' + series.file().title +
           (series.checksAllowed() ? u"|1"_s : u"|0"_s);
}
} // namespace

CardBook cardBookOf(const QString& appPath, const DrawSeries& series)
{
    const SeriesFile& file = series.file();
    if (file.title.isEmpty())
        return CardBook::closed(u"Ce tirage se fait sans fichier de grilles"_s + CardsNotFollowed);
    if (!series.checksAllowed())
        return CardBook::closed(u"Les grilles de ce tirage ne sont plus celles des joueurs"_s +
                                CardsNotFollowed);
    try {
        const BusyPointer busy;
        QList<QPair<int, Grid>> grids;
        // The file in GRILLES must still be the one the players hold.
        if (DrawGridFile::choose(appPath, file.title, &grids).fingerprint != file.fingerprint)
            return CardBook::closed(u"Le fichier de grilles a changé depuis le début du tirage"_s +
                                    CardsNotFollowed);
        const std::optional<QByteArray> secret =
            GridFile(GridFolder::resolve(appPath, file.fileName), GridFile::Access::ReadOnly)
                .cardSecret();
        if (!secret)
            return CardBook::closed(u"Les cartes de ce soir n'ont pas de code de contrôle"_s +
                                    CardsNotFollowed);
        QHash<int, Grid> book;
        for (const auto& [number, grid] : grids)
            book.insert(number, grid);
        return CardBook(*secret, book);
    } catch (const GridFileError&) {
    } catch (const std::exception&) {
    }
    return CardBook::closed(u"Le fichier de grilles de ce soir ne peut pas être lu"_s +
                            CardsNotFollowed);
}

PhoneSwitch::PhoneSwitch(Services& services, DrawSeries& series, HallControl& hall,
                         QWidget* operatorWindow, AddressSource addresses)
    : QObject(operatorWindow), m_services(services), m_series(series), m_hall(hall),
      m_operator(operatorWindow), m_source(std::move(addresses))
{
    connect(&m_networkWatch, &QTimer::timeout, this, &PhoneSwitch::refreshNetwork);
    connect(&series, &DrawSeries::changed, this, &PhoneSwitch::refreshCards);
    connect(&hall, &HallControl::themeChanged, this, &PhoneSwitch::refreshExtras);
}

PhoneSwitch::~PhoneSwitch() = default;

bool PhoneSwitch::isOn() const
{
    return m_server != nullptr;
}

int PhoneSwitch::phoneCount() const
{
    return m_server ? m_server->phoneCount() : 0;
}

void PhoneSwitch::setOn(bool on)
{
    if (on == isOn())
        return;
    if (!on) {
        m_networkWatch.stop();
        m_server.reset(); // says goodbye to every phone
        m_addresses.clear();
        m_trouble.clear();
        m_bookOf.clear();
        showAddress();
        emit changed();
        return;
    }
    m_addresses = m_source();
    QString why;
    if (m_addresses.isEmpty()) {
        m_services.message(m_operator, MsgIcon::Exclamation, NoNetwork);
        emit switchedOff();
        return;
    }
    m_server = std::make_unique<PhoneServer>(m_series);
    connect(m_server.get(), &PhoneServer::phoneCountChanged, this, &PhoneSwitch::changed);
    QList<QHostAddress> hosts;
    for (const NetworkAddress& address : std::as_const(m_addresses))
        hosts.append(address.address);
    if (!m_server->start(hosts, PhoneServer::DefaultPort, &why)) {
        m_server.reset();
        m_addresses.clear();
        m_services.message(m_operator, MsgIcon::Exclamation,
                           u"Les téléphones des joueurs ne peuvent pas suivre le tirage : "_s +
                               why);
        emit switchedOff();
        return;
    }
    m_chosen = 0;
    refreshExtras();
    refreshCards();
    showAddress();
    m_networkWatch.start(NetworkWatchMs);
    emit changed();
}

void PhoneSwitch::choose(int index)
{
    if (index < 0 || index >= m_addresses.size() || index == m_chosen)
        return;
    m_chosen = index;
    m_trouble.clear();
    showAddress();
    emit changed();
}

QString PhoneSwitch::shownAddress() const
{
    if (!m_server || m_addresses.isEmpty())
        return {};
    return phoneAddress(m_addresses.value(m_chosen).address, m_server->port());
}

QString PhoneSwitch::statusLine() const
{
    if (!m_server)
        return {};
    const QString count =
        countText(phoneCount(), u"téléphone connecté"_s, u"téléphones connectés"_s);
    if (!m_trouble.isEmpty())
        return m_trouble + u" - "_s + count;
    return u"Téléphones : "_s + shownAddress() + u" - "_s + count;
}

void PhoneSwitch::refreshNetwork()
{
    if (!m_server)
        return;
    const QList<NetworkAddress> now = m_source();
    if (now == m_addresses)
        return;
    const std::optional<NetworkAddress> shown =
        m_addresses.isEmpty() ? std::nullopt : std::optional(m_addresses.value(m_chosen));
    QList<NetworkAddress> kept;
    for (const NetworkAddress& address : now) {
        const bool known = std::any_of(m_addresses.cbegin(), m_addresses.cend(),
                                       [&](const NetworkAddress& a) { return a == address; });
        // A network that came up is listened on too, on the same port if free.
        if (known || m_server->listenAlso(address.address))
            kept.append(address);
    }
    for (const NetworkAddress& address : std::as_const(m_addresses))
        if (!kept.contains(address))
            m_server->forget(address.address);
    m_addresses = kept;
    const auto still = shown ? kept.indexOf(*shown) : -1;
    m_chosen = still >= 0 ? int(still) : 0;
    // Said until the network changes again.
    if (shown && still < 0)
        m_trouble = kept.isEmpty()
                        ? u"Plus aucun réseau : les téléphones ne suivent plus le tirage, ils "
                          "le retrouveront quand le réseau reviendra"_s
                        : u"L'adresse "_s + shown->address.toString() +
                              u" a quitté le réseau : les téléphones suivent maintenant "_s +
                              shownAddress();
    else
        m_trouble.clear();
    showAddress();
    emit changed();
}

void PhoneSwitch::showAddress()
{
    m_hall.setInvitation(shownAddress());
}

void PhoneSwitch::refreshCards()
{
    if (!m_server || bookKey(m_series) == m_bookOf)
        return;
    m_bookOf = bookKey(m_series);
    m_server->setCardBook(cardBookOf(Param::AppPath(), m_series));
}

void PhoneSwitch::refreshExtras()
{
    if (!m_server)
        return;
    m_server->setExtras(
        {hallThemeWord(m_hall.theme()), Organiser::read(Param::OrganiserFile()).name});
}
