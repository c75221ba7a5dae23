#include "programme.h"

#include "platform/counttext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// Each phase's words, as shown and as stored, and the full lines it needs.
struct PhaseFacts
{
    const char16_t* label;
    const char16_t* code;
    int lines;
};
constexpr PhaseFacts Facts[] = {
    {u"Quine", u"quine", 1},
    {u"Double quine", u"double_quine", 2},
    {u"Carton plein", u"carton_plein", 3},
};

const PhaseFacts& facts(Phase phase)
{
    return Facts[std::clamp(int(phase), 0, 2)];
}
} // namespace

QString phaseLabel(Phase phase)
{
    return QString::fromUtf16(facts(phase).label);
}

QString phaseCode(Phase phase)
{
    return QString::fromUtf16(facts(phase).code);
}

std::optional<Phase> phaseFromCode(const QString& code)
{
    for (Phase p : AllPhases)
        if (phaseCode(p) == code)
            return p;
    return std::nullopt;
}

int linesNeeded(Phase phase)
{
    return facts(phase).lines;
}

Programme Programme::standard()
{
    ProgrammeGame game;
    for (Phase p : AllPhases)
        game.phases.append({p, {}});
    return {{game}, {}};
}

QString Programme::fault() const
{
    if (games.isEmpty())
        return u"Le programme doit compter au moins une partie."_s;
    if (games.size() > MaxGames)
        return u"Le programme ne peut pas compter plus de %1 parties."_s.arg(MaxGames);
    for (qsizetype g = 0; g < games.size(); ++g) {
        const QList<PhasePrize>& phases = games[g].phases;
        const QString game = u"La partie %1"_s.arg(g + 1);
        if (phases.isEmpty())
            return game +
                   u" n'a aucune phase : cochez au moins Quine, Double quine ou Carton plein."_s;
        for (qsizetype p = 0; p < phases.size(); ++p) {
            if (p > 0 && int(phases[p].phase) <= int(phases[p - 1].phase))
                return game + u" doit jouer ses phases dans l'ordre : Quine, Double quine, "
                              "Carton plein."_s;
            if (const int length = visibleLength(phases[p].prize); length > MaxPrizeLength)
                return game + u" : le lot « "_s + phaseLabel(phases[p].phase) +
                       u" » dépasse %1 caractères (il en compte %2)."_s.arg(MaxPrizeLength)
                           .arg(length);
        }
    }
    return {};
}

QByteArray Programme::toJson() const
{
    QJsonArray gameArray;
    for (const ProgrammeGame& game : games) {
        QJsonArray phaseArray;
        for (const PhasePrize& p : game.phases)
            phaseArray.append(QJsonObject{{u"phase"_s, phaseCode(p.phase)}, {u"lot"_s, p.prize}});
        gameArray.append(QJsonObject{{u"phases"_s, phaseArray}});
    }
    const QJsonObject root{
        {u"version"_s, 1}, {u"parties"_s, gameArray}, {u"grilles_vendues"_s, sold.text()}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Programme> Programme::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();
    if (root.value(u"version"_s).toInt() != 1 || !root.value(u"parties"_s).isArray())
        return std::nullopt;
    Programme programme;
    for (const QJsonValue& g : root.value(u"parties"_s).toArray()) {
        if (!g.toObject().value(u"phases"_s).isArray())
            return std::nullopt;
        ProgrammeGame game;
        for (const QJsonValue& p : g.toObject().value(u"phases"_s).toArray()) {
            const std::optional<Phase> phase =
                phaseFromCode(p.toObject().value(u"phase"_s).toString());
            const QJsonValue prize = p.toObject().value(u"lot"_s);
            if (!phase || !(prize.isString() || prize.isUndefined()))
                return std::nullopt;
            game.phases.append({*phase, prize.toString()});
        }
        programme.games.append(game);
    }
    const std::optional<SoldGrids> sold =
        SoldGrids::parse(root.value(u"grilles_vendues"_s).toString());
    if (!sold)
        return std::nullopt;
    programme.sold = *sold;
    if (!programme.fault().isEmpty())
        return std::nullopt;
    return programme;
}
