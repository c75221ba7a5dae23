#include "ballmachineentry.h"

#include "game/ballnumber.h"

using namespace Qt::StringLiterals;

BallMachineEntry::BallMachineEntry(QWidget* parent, std::function<bool(int)> isOut)
    : QLineEdit(parent), m_isOut(std::move(isOut))
{
    setObjectName(u"Entree"_s);
    setAccessibleName(u"Numéro sorti du boulier"_s);
    setPlaceholderText(u"Numéro sorti du boulier"_s);
    setAccessibleDescription(u"Tapez le numéro sorti, puis Entrée"_s);
    setAlignment(Qt::AlignCenter);
    connect(this, &QLineEdit::returnPressed, this, &BallMachineEntry::read);
}

void BallMachineEntry::read()
{
    const QString typed = text();
    clear();
    // A paste the field had to cut is never read: what was cut away may have
    // made it no number at all.
    const std::optional<int> n = typed.size() < maxLength() ? parseBallNumber(typed) : std::nullopt;
    if (!n)
        emit numberRefused(ballNumberRefusal());
    else if (m_isOut(*n))
        emit numberRefused(ballNumberAlreadyOut(*n));
    else
        emit numberEntered(*n);
    setFocus();
}
