#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// What a phone may say to the laptop, read from one WebSocket text message.
// Anything else is refused: the connection that sent it is closed.
struct PhoneCard
{
    int number = 0;
    QString code;  // as typed, normalised later against the card's own code
    QString token; // the laptop's receipt for a code it accepted before, if any
    bool operator==(const PhoneCard&) const = default;
};

struct PhoneRequest
{
    enum class Kind { Follow, Add, Remove };
    Kind kind = Kind::Follow;
    QList<PhoneCard> cards; // Follow: the cards kept on the phone; Add: the one added
    int removed = 0;        // Remove: the card dropped

    static constexpr int MaxBytes = 2048;
    static constexpr int MaxCards = 24;
    static constexpr int MaxGridNumber = 999999;
    static constexpr int MaxCodeLength = 16;
    static constexpr int MaxTokenLength = 64;

    // {"suivre":[{"n":42,"code":"K7P2Q","jeton":"..."}]}, {"ajouter":{"n":42,"code":"K7P2Q"}}
    // or {"retirer":42}; nothing for anything else.
    static std::optional<PhoneRequest> parse(const QByteArray& message);
};
