#include "phonerequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {
std::optional<int> gridNumber(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double n = value.toDouble();
    if (n < 1 || n > PhoneRequest::MaxGridNumber || n != double(int(n)))
        return std::nullopt;
    return int(n);
}

std::optional<PhoneCard> cardOf(const QJsonValue& value)
{
    const QJsonObject object = value.toObject();
    const bool hasToken = object.contains(u"jeton"_s);
    if (!value.isObject() || object.size() != (hasToken ? 3 : 2) ||
        !object.value(u"code"_s).isString() || (hasToken && !object.value(u"jeton"_s).isString()))
        return std::nullopt;
    const std::optional<int> n = gridNumber(object.value(u"n"_s));
    const QString code = object.value(u"code"_s).toString();
    const QString token = object.value(u"jeton"_s).toString();
    if (!n || code.isEmpty() || code.size() > PhoneRequest::MaxCodeLength ||
        token.size() > PhoneRequest::MaxTokenLength)
        return std::nullopt;
    return PhoneCard{*n, code, token};
}
} // namespace

std::optional<PhoneRequest> PhoneRequest::parse(const QByteArray& message)
{
    if (message.size() > MaxBytes)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(message, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    if (object.size() != 1)
        return std::nullopt;

    PhoneRequest request;
    const QString key = object.begin().key();
    const QJsonValue value = object.begin().value();
    if (key == u"suivre"_s) {
        const QJsonArray cards = value.toArray();
        if (!value.isArray() || cards.size() > MaxCards)
            return std::nullopt;
        for (const QJsonValue& entry : cards) {
            const std::optional<PhoneCard> card = cardOf(entry);
            if (!card)
                return std::nullopt;
            request.cards.append(*card);
        }
        return request;
    }
    if (key == u"ajouter"_s) {
        const std::optional<PhoneCard> card = cardOf(value);
        if (!card)
            return std::nullopt;
        request.kind = Kind::Add;
        request.cards = {*card};
        return request;
    }
    if (key == u"retirer"_s) {
        const std::optional<int> n = gridNumber(value);
        if (!n)
            return std::nullopt;
        request.kind = Kind::Remove;
        request.removed = *n;
        return request;
    }
    return std::nullopt;
}
