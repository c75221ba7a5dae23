// What a phone in the hall sends the laptop, byte for byte: a request read
// is within its limits, and anything else is refused without a fault.
#include "fuzztext.h"
#include "phones/phonerequest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray message(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<PhoneRequest> request = PhoneRequest::parse(message);
    if (!request)
        return 0;
    require(message.size() <= PhoneRequest::MaxBytes);
    require(request->cards.size() <= PhoneRequest::MaxCards);
    for (const PhoneCard& card : request->cards)
        require(card.number >= 1 && card.number <= PhoneRequest::MaxGridNumber &&
                !card.code.isEmpty() && card.code.size() <= PhoneRequest::MaxCodeLength);
    if (request->kind == PhoneRequest::Kind::Add)
        require(request->cards.size() == 1);
    if (request->kind == PhoneRequest::Kind::Remove)
        require(request->removed >= 1 && request->removed <= PhoneRequest::MaxGridNumber);
    return 0;
}
