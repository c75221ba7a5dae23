#include "phoneserver.h"

#include "game/drawseries.h"
#include "grids/cardcode.h"
#include "pageserver.h"
#include "phonegate.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QWebSocket>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

struct PhoneServer::Phone
{
    std::unique_ptr<QWebSocket> socket;
    QString address;
    QList<FollowedCard> cards;
    QList<qint64> wrongCodes; // when, in ms
    QList<qint64> messages;
    qint64 lastHeard = 0;
    bool dropped = false;
};

namespace {
constexpr int PortsTried = 20;
const auto BroadcastEvent = QEvent::Type(QEvent::registerEventType());

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Keeps the times of the last minute; their count.
int withinMinute(QList<qint64>& times, qint64 now)
{
    times.removeIf([now](qint64 t) { return now - t >= 60000; });
    return int(times.size());
}

QString jsonText(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Each phone holds a socket open: the soft limit of open files (often 1024)
// is raised as far as the hard one allows.
void raiseOpenFilesLimit(int connections)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return;
    const rlim_t wanted = rlim_t(connections) + 256;
    if (limit.rlim_cur >= wanted)
        return;
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, limit.rlim_max);
    setrlimit(RLIMIT_NOFILE, &limit);
}
} // namespace

PhoneServer::PhoneServer(const DrawSeries& series, PhoneLimits limits, QObject* parent)
    : QObject(parent), m_series(series), m_limits(limits), m_tokenSecret(CardCode::newSecret())
{
    connect(&series, &DrawSeries::changed, this, &PhoneServer::broadcastSoon);
    connect(&m_sweep, &QTimer::timeout, this, &PhoneServer::sweep);
}

PhoneServer::~PhoneServer()
{
    stop();
}

bool PhoneServer::start(const QList<QHostAddress>& addresses, quint16 firstPort, QString* why)
{
    stop();
    raiseOpenFilesLimit(m_limits.connections);
    m_gate = std::make_unique<PhoneGate>(m_limits);
    m_pages = std::make_unique<PageServer>();
    connect(m_pages.get(), &QAbstractHttpServer::newWebSocketConnection, this,
            &PhoneServer::takeWebSockets);
    for (int k = 0; k < PortsTried && firstPort + k <= 65535; ++k) {
        m_port = quint16(firstPort + k);
        bool all = !addresses.isEmpty();
        for (const QHostAddress& address : addresses)
            all = all && listenAlso(address);
        if (all) {
            m_lastState.clear();
            m_sweep.start(m_limits.pingMs);
            return true;
        }
        m_listeners.clear();
    }
    m_port = 0;
    m_pages.reset();
    m_gate.reset();
    *why = addresses.isEmpty()
               ? u"Aucun réseau n'est ouvert sur cet ordinateur."_s
               : u"Les ports %1 à %2 sont tous pris par d'autres programmes."_s.arg(firstPort).arg(
                     std::min(65535, firstPort + PortsTried - 1));
    return false;
}

bool PhoneServer::listenAlso(const QHostAddress& address)
{
    if (!m_pages)
        return false;
    auto listener = std::make_unique<GuardedListener>(*m_gate);
    if (!listener->listen(address, m_port))
        return false;
    listener->setMaxPendingConnections(1000);
    m_pages->bind(listener.get());
    m_listeners.push_back(std::move(listener));
    return true;
}

void PhoneServer::forget(const QHostAddress& address)
{
    std::erase_if(m_listeners, [&](const std::unique_ptr<QTcpServer>& listener) {
        return listener->serverAddress() == address;
    });
}

QList<QHostAddress> PhoneServer::addresses() const
{
    QList<QHostAddress> list;
    for (const auto& listener : m_listeners)
        list.append(listener->serverAddress());
    return list;
}

void PhoneServer::stop()
{
    m_sweep.stop();
    const QString end = QString::fromUtf8(endSnapshot());
    // The last words go out before the sockets close; they outlive the server
    // a moment so that the phones read them.
    for (const auto& phone : m_phones) {
        if (phone->dropped)
            continue;
        QWebSocket* socket = phone->socket.release();
        socket->disconnect(this);
        if (socket->state() == QAbstractSocket::ConnectedState) {
            socket->sendTextMessage(end);
            socket->close(QWebSocketProtocol::CloseCodeGoingAway, u"Fin du suivi"_s);
            socket->flush();
        }
        // Kept by the application, so that one still closing when the program
        // ends goes with it.
        socket->setParent(QCoreApplication::instance());
        connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(2000, socket, &QObject::deleteLater);
    }
    const bool hadPhones = !m_phones.empty();
    m_phones.clear();
    m_listeners.clear();
    m_pages.reset();
    m_gate.reset();
    m_port = 0;
    if (hadPhones)
        emit phoneCountChanged(0);
}

void PhoneServer::setExtras(const SnapshotExtras& extras)
{
    m_extras = extras;
    broadcastSoon();
}

void PhoneServer::setCardBook(const CardBook& book)
{
    m_book = book;
    // Cards followed already are checked again against tonight's grids.
    for (const auto& phone : m_phones) {
        QList<PhoneCard> kept;
        for (const FollowedCard& card : phone->cards)
            kept.append({card.number, card.code, {}});
        phone->cards.clear();
        for (const PhoneCard& card : kept)
            phone->cards.append(lookUp(*phone, card, false));
    }
    m_lastState.clear();
    broadcastSoon();
}

void PhoneServer::takeWebSockets()
{
    while (m_pages && m_pages->hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = m_pages->nextPendingWebSocketConnection();
        if (!socket)
            continue;
        m_gate->upgraded(socket->peerAddress(), socket->peerPort());
        if (socket->requestUrl().path() != PageServer::followPath()) {
            socket->abort();
            continue;
        }
        socket->setMaxAllowedIncomingMessageSize(PhoneRequest::MaxBytes);
        socket->setMaxAllowedIncomingFrameSize(PhoneRequest::MaxBytes);
        auto phone = std::make_unique<Phone>();
        phone->address = socket->peerAddress().toString();
        phone->lastHeard = nowMs();
        QWebSocket* raw = socket.get();
        phone->socket = std::move(socket);
        // A phone dropped is disconnected from here first, so these never
        // reach one that is gone.
        Phone* held = phone.get();
        connect(raw, &QWebSocket::textMessageReceived, this,
                [this, held](const QString& text) { onMessage(*held, text); });
        // The phones speak text only; anything else ends the connection.
        connect(raw, &QWebSocket::binaryMessageReceived, this, [this, held] { drop(*held); });
        connect(raw, &QWebSocket::pong, this, [held] { held->lastHeard = nowMs(); });
        connect(raw, &QWebSocket::disconnected, this, [this, held] { drop(*held); });
        m_phones.push_back(std::move(phone));
        // A phone joining mid-game sees everything drawn so far.
        send(*m_phones.back(), QString::fromUtf8(drawSnapshot(m_series, m_extras, m_book)));
        emit phoneCountChanged(phoneCount());
    }
    removeDropped();
}

void PhoneServer::onMessage(Phone& phone, const QString& message)
{
    const qint64 now = nowMs();
    phone.lastHeard = now;
    phone.messages.append(now);
    const std::optional<PhoneRequest> request = PhoneRequest::parse(message.toUtf8());
    if (!request || withinMinute(phone.messages, now) > m_limits.messagesPerMinute) {
        drop(phone);
        removeDropped();
        return;
    }
    switch (request->kind) {
    case PhoneRequest::Kind::Follow:
        follow(phone, request->cards);
        break;
    case PhoneRequest::Kind::Add:
        add(phone, request->cards.first());
        break;
    case PhoneRequest::Kind::Remove:
        phone.cards.removeIf(
            [&](const FollowedCard& card) { return card.number == request->removed; });
        sendCards(phone);
        break;
    }
    removeDropped();
}

void PhoneServer::follow(Phone& phone, const QList<PhoneCard>& cards)
{
    phone.cards.clear();
    for (const PhoneCard& card : cards)
        if (std::none_of(phone.cards.cbegin(), phone.cards.cend(),
                         [&](const FollowedCard& kept) { return kept.number == card.number; }))
            phone.cards.append(lookUp(phone, card, true));
    sendCards(phone);
}

void PhoneServer::add(Phone& phone, const PhoneCard& card)
{
    QJsonObject answer{{u"type"_s, u"ajout"_s}, {u"n"_s, card.number}};
    // Followed already under this very code: nothing to check again. Any
    // other code is a try like the first, and a wrong one leaves the card
    // followed as it was.
    const auto followed = [&](bool sameCode) {
        return std::any_of(phone.cards.cbegin(), phone.cards.cend(), [&](const FollowedCard& kept) {
            return kept.number == card.number &&
                   (!sameCode || (kept.grid && CardCode::normalised(kept.code) ==
                                                   CardCode::normalised(card.code)));
        });
    };
    const bool known = followed(true);
    QString refusal;
    if (!followed(false) && phone.cards.size() >= PhoneRequest::MaxCards) {
        refusal = u"Ce téléphone suit déjà %1 grilles : retirez-en une avant d'en ajouter."_s.arg(
            PhoneRequest::MaxCards);
    } else if (!known) {
        const FollowedCard checked = lookUp(phone, card, true);
        refusal = checked.refusal;
        if (checked.grid) {
            phone.cards.removeIf(
                [&](const FollowedCard& kept) { return kept.number == card.number; });
            phone.cards.append(checked);
        }
    }
    answer.insert(u"ok"_s, refusal.isEmpty());
    if (!refusal.isEmpty())
        answer.insert(u"message"_s, refusal);
    else
        answer.insert(u"jeton"_s, tokenOf(card));
    if (send(phone, jsonText(answer)))
        sendCards(phone);
}

PhoneServer::FollowedCard PhoneServer::lookUp(Phone& phone, const PhoneCard& card, bool counted)
{
    FollowedCard followed{card.number, card.code, std::nullopt, {}};
    if (!card.token.isEmpty() && card.token == tokenOf(card))
        counted = false;
    if (counted && m_book.isOpen() && !mayTryCode(phone)) {
        followed.refusal = u"Trop de codes essayés : attendez une minute avant de réessayer."_s;
        return followed;
    }
    followed.grid = m_book.find(card.number, card.code, &followed.refusal);
    if (!followed.grid && counted && m_book.isOpen()) {
        const qint64 now = nowMs();
        phone.wrongCodes.append(now);
        m_wrongCodesByAddress[phone.address].append(now);
    }
    return followed;
}

QString PhoneServer::tokenOf(const PhoneCard& card) const
{
    const QByteArray text =
        QByteArray::number(card.number) + ':' + CardCode::normalised(card.code).toUtf8();
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(text, m_tokenSecret, QCryptographicHash::Sha256)
            .left(16)
            .toHex());
}

bool PhoneServer::mayTryCode(Phone& phone)
{
    const qint64 now = nowMs();
    QList<qint64>& byAddress = m_wrongCodesByAddress[phone.address];
    return withinMinute(phone.wrongCodes, now) < m_limits.wrongCodesPerMinute &&
           withinMinute(byAddress, now) < m_limits.wrongCodesPerMinute;
}

void PhoneServer::sendCards(Phone& phone)
{
    QJsonArray cards;
    for (const FollowedCard& card : phone.cards)
        cards.append(card.grid ? cardSnapshot(card.number, *card.grid, m_series)
                               : refusedCardSnapshot(card.number, card.refusal));
    send(phone, jsonText({{u"type"_s, u"cartes"_s}, {u"cartes"_s, cards}}));
}

bool PhoneServer::send(Phone& phone, const QString& message)
{
    // A phone that does not read what it is sent would hold the laptop's
    // memory: it is let go, and joins again once its network is back.
    if (phone.dropped || phone.socket->bytesToWrite() > m_limits.backlogBytes) {
        drop(phone);
        return false;
    }
    phone.socket->sendTextMessage(message);
    return true;
}

void PhoneServer::broadcastSoon()
{
    if (m_broadcastDue || m_phones.empty())
        return;
    // After the change is whole and the windows had their turn to paint: a
    // queued call would run before their update requests, posted at low priority.
    m_broadcastDue = true;
    QCoreApplication::postEvent(this, new QEvent(BroadcastEvent), Qt::LowEventPriority - 1);
}

bool PhoneServer::event(QEvent* event)
{
    if (event->type() != BroadcastEvent)
        return QObject::event(event);
    broadcast();
    return true;
}

void PhoneServer::broadcast()
{
    m_broadcastDue = false;
    const QByteArray state = drawSnapshot(m_series, m_extras, m_book);
    if (state != m_lastState) {
        m_lastState = state;
        const QString text = QString::fromUtf8(state);
        for (const auto& phone : m_phones)
            send(*phone, text);
    }
    for (const auto& phone : m_phones)
        if (!phone->cards.isEmpty())
            sendCards(*phone);
    removeDropped();
}

void PhoneServer::sweep()
{
    const qint64 now = nowMs();
    for (const auto& phone : m_phones) {
        if (now - phone->lastHeard > m_limits.idleMs)
            drop(*phone);
        else if (!phone->dropped) {
            phone->socket->ping();
            // Pings are invisible to a page: this tells it the laptop is still there.
            send(*phone, u"{\"type\":\"veille\"}"_s);
        }
    }
    for (auto it = m_wrongCodesByAddress.begin(); it != m_wrongCodesByAddress.end();)
        it = withinMinute(it.value(), now) == 0 ? m_wrongCodesByAddress.erase(it) : std::next(it);
    removeDropped();
}

void PhoneServer::drop(Phone& phone)
{
    if (phone.dropped)
        return;
    phone.dropped = true;
    phone.socket->disconnect(this);
    phone.socket->abort();
    // Never deleted from within one of its own signals.
    phone.socket.release()->deleteLater();
    QTimer::singleShot(0, this, &PhoneServer::removeDropped);
}

void PhoneServer::removeDropped()
{
    const auto before = m_phones.size();
    std::erase_if(m_phones, [](const std::unique_ptr<Phone>& phone) { return phone->dropped; });
    if (m_phones.size() != before)
        emit phoneCountChanged(phoneCount());
}
