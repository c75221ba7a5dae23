#include "seriesrecord.h"

#include "platform/counttext.h"

using namespace Qt::StringLiterals;

namespace {
// Each stored code beside its French label, one row a value, so the word the
// record keeps and the word the report shows cannot drift apart. The first
// row is also what an unknown code is read as.
template <typename Value> struct CodeRow
{
    Value value;
    const char16_t* code;
    const char16_t* label;
};

constexpr CodeRow<DrawMethod> Methods[] = {
    {DrawMethod::Hand, u"main", u"à la main"},
    {DrawMethod::Timed, u"minute", u"minuté"},
    {DrawMethod::BallMachine, u"boulier", u"boulier"},
};

constexpr CodeRow<SeriesState> States[] = {
    {SeriesState::Open, u"en_cours", u"en cours"},
    {SeriesState::Reinitialised, u"reinitialise", u"réinitialisé"},
    {SeriesState::Abandoned, u"abandonne", u"abandonné"},
    {SeriesState::Complete, u"termine", u"terminé"},
};

constexpr CodeRow<RecordedEvent::Kind> Kinds[] = {
    {RecordedEvent::Kind::Number, u"numero", u"Numéro"},
    {RecordedEvent::Kind::Undo, u"annulation", u"Annulation"},
    {RecordedEvent::Kind::GridCheck, u"verification_grille", u"Vérification de grille"},
    {RecordedEvent::Kind::LineCheck, u"verification_ligne", u"Vérification de ligne"},
};

template <typename Value, std::size_t N>
const CodeRow<Value>& rowOf(const CodeRow<Value> (&rows)[N], Value value)
{
    for (const CodeRow<Value>& row : rows)
        if (row.value == value)
            return row;
    return rows[0];
}

template <typename Value, std::size_t N>
Value valueOf(const CodeRow<Value> (&rows)[N], const QString& code)
{
    for (const CodeRow<Value>& row : rows)
        if (code == QStringView(row.code))
            return row.value;
    return rows[0].value;
}
} // namespace

QString methodCode(DrawMethod method)
{
    return QString::fromUtf16(rowOf(Methods, method).code);
}

QString methodLabel(DrawMethod method)
{
    return QString::fromUtf16(rowOf(Methods, method).label);
}

DrawMethod methodFromCode(const QString& code)
{
    return valueOf(Methods, code);
}

QString stateCode(SeriesState state)
{
    return QString::fromUtf16(rowOf(States, state).code);
}

QString stateLabel(SeriesState state)
{
    return QString::fromUtf16(rowOf(States, state).label);
}

SeriesState stateFromCode(const QString& code)
{
    return valueOf(States, code);
}

QString kindCode(RecordedEvent::Kind kind)
{
    return QString::fromUtf16(rowOf(Kinds, kind).code);
}

QString kindLabel(RecordedEvent::Kind kind)
{
    return QString::fromUtf16(rowOf(Kinds, kind).label);
}

RecordedEvent::Kind kindFromCode(const QString& code)
{
    return valueOf(Kinds, code);
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
