#include "seriesrecord.h"

#include "platform/counttext.h"

using namespace Qt::StringLiterals;

QString methodCode(DrawMethod method)
{
    switch (method) {
    case DrawMethod::Timed:
        return u"minute"_s;
    case DrawMethod::BallMachine:
        return u"boulier"_s;
    case DrawMethod::Hand:
        break;
    }
    return u"main"_s;
}

QString methodLabel(DrawMethod method)
{
    switch (method) {
    case DrawMethod::Timed:
        return u"minuté"_s;
    case DrawMethod::BallMachine:
        return u"boulier"_s;
    case DrawMethod::Hand:
        break;
    }
    return u"à la main"_s;
}

DrawMethod methodFromCode(const QString& code)
{
    if (code == u"minute")
        return DrawMethod::Timed;
    if (code == u"boulier")
        return DrawMethod::BallMachine;
    return DrawMethod::Hand;
}

QString stateCode(SeriesState state)
{
    switch (state) {
    case SeriesState::Reinitialised:
        return u"reinitialise"_s;
    case SeriesState::Abandoned:
        return u"abandonne"_s;
    case SeriesState::Complete:
        return u"termine"_s;
    case SeriesState::Open:
        break;
    }
    return u"en_cours"_s;
}

QString stateLabel(SeriesState state)
{
    switch (state) {
    case SeriesState::Reinitialised:
        return u"réinitialisé"_s;
    case SeriesState::Abandoned:
        return u"abandonné"_s;
    case SeriesState::Complete:
        return u"terminé"_s;
    case SeriesState::Open:
        break;
    }
    return u"en cours"_s;
}

SeriesState stateFromCode(const QString& code)
{
    if (code == u"reinitialise")
        return SeriesState::Reinitialised;
    if (code == u"abandonne")
        return SeriesState::Abandoned;
    if (code == u"termine")
        return SeriesState::Complete;
    return SeriesState::Open;
}

QString kindCode(RecordedEvent::Kind kind)
{
    switch (kind) {
    case RecordedEvent::Kind::Undo:
        return u"annulation"_s;
    case RecordedEvent::Kind::GridCheck:
        return u"verification_grille"_s;
    case RecordedEvent::Kind::LineCheck:
        return u"verification_ligne"_s;
    case RecordedEvent::Kind::Number:
        break;
    }
    return u"numero"_s;
}

namespace {
// The numbers still out with when each came out. A record edited by hand may
// hold anything: a value no ball bears, or one already out, is passed over.
QList<const RecordedEvent*> numbersOut(const QList<RecordedEvent>& events)
{
    QList<const RecordedEvent*> out;
    bool isOut[91] = {};
    for (const RecordedEvent& e : events) {
        const bool valid = e.value >= 1 && e.value <= 90;
        if (e.kind == RecordedEvent::Kind::Number && valid && !isOut[e.value]) {
            out.append(&e);
            isOut[e.value] = true;
        } else if (e.kind == RecordedEvent::Kind::Undo && !out.isEmpty() &&
                   out.last()->value == e.value) {
            isOut[e.value] = false;
            out.removeLast();
        }
    }
    return out;
}
} // namespace

QList<int> RecordedSeries::sequence() const
{
    QList<int> values;
    for (const RecordedEvent* e : numbersOut(events))
        values.append(e->value);
    return values;
}

QDateTime RecordedSeries::lastNumberAt() const
{
    const QList<const RecordedEvent*> out = numbersOut(events);
    return out.isEmpty() ? QDateTime() : out.last()->at;
}

QString RecordedSeries::displayTitle() const
{
    return file.title.isEmpty() ? u"sans fichier de tirage"_s : file.title;
}

QString RecordedSeries::resumeQuestion() const
{
    const QList<int> numbers = sequence();
    const QString count = countText(numbers.size(), u"numéro tiré"_s, u"numéros tirés"_s);
    const QString last = numbers.isEmpty() ? QString() : QString::number(numbers.last());
    return u"Un tirage interrompu a été retrouvé :\n"_s + displayTitle() + u", "_s + count +
           u", dernier numéro "_s + last + u" à "_s + lastNumberAt().toString(u"hh:mm"_s) +
           u".\n\nVoulez-vous le reprendre ?"_s;
}

QString RecordedWin::text() const
{
    QString text = phaseLabel(phase) + u" : grille "_s + QString::number(grid);
    if (!prize.isEmpty())
        text += u" - "_s + prize;
    return text;
}
