#include "reportdefinition.h"

#include "grids/gridfileerror.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>
#include <QRectF>

using namespace Qt::StringLiterals;

namespace {
class Reader
{
public:
    Reader(const QString& path) : m_path(path) {}

    [[noreturn]] void fail(const QString& what) const
    {
        throw GridFileError(u"Le modèle d'impression "_s + QDir::toNativeSeparators(m_path) +
                            u"\nest illisible : "_s + what +
                            u"\n\nRéinstallez Numerella ou corrigez ce fichier."_s);
    }

    QJsonObject object(const QJsonObject& in, const QString& key) const
    {
        if (!in.value(key).isObject())
            fail(u"la rubrique « "_s + key + u" » manque."_s);
        return in.value(key).toObject();
    }

    qreal number(const QJsonObject& in, const QString& key, qreal low, qreal high) const
    {
        const QJsonValue value = in.value(key);
        if (!value.isDouble() || value.toDouble() < low || value.toDouble() > high)
            fail(u"la valeur « "_s + key + u" » manque ou sort des limites ("_s +
                 QString::number(low) + u" à "_s + QString::number(high) + u")."_s);
        return value.toDouble();
    }

    QColor colour(const QJsonObject& in, const QString& key) const
    {
        const QColor colour = QColor::fromString(in.value(key).toString());
        if (!colour.isValid())
            fail(u"la couleur « "_s + key + u" » n'est pas de la forme #rrggbb."_s);
        return colour;
    }

    QFont font(const QJsonObject& in, const QString& key) const
    {
        const QJsonObject fontSpec = object(in, key);
        QFont font(fontSpec.value(u"family"_s).toString(u"Arial"_s));
        font.setPointSizeF(number(fontSpec, u"size"_s, 4, 144));
        font.setBold(fontSpec.value(u"bold"_s).toBool());
        return font;
    }

private:
    QString m_path;
};

QPageSize pageSize(const QString& name)
{
    if (name.compare(u"A4"_s, Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A4);
    if (name.compare(u"A3"_s, Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A3);
    if (name.compare(u"A5"_s, Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A5);
    if (name.compare(u"Letter"_s, Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::Letter);
    return QPageSize();
}
} // namespace

ReportDefinition ReportDefinition::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw GridFileError(u"Le modèle d'impression "_s + QDir::toNativeSeparators(path) +
                            u"\nest introuvable ou illisible.\n\nIl doit se trouver à côté du "
                            "programme ; réinstallez Numerella."_s);
    return parse(file.readAll(), path);
}

ReportDefinition ReportDefinition::parse(const QByteArray& json, const QString& path)
{
    const Reader read(path);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject())
        read.fail(u"ce n'est pas un texte JSON ("_s + error.errorString() + u")."_s);
    const QJsonObject root = document.object();
    if (root.value(u"format"_s).toString() != u"numerella-report-1"_s)
        read.fail(u"ce n'est pas un modèle d'impression de Numerella."_s);

    ReportDefinition d;
    const QJsonObject page = read.object(root, u"page"_s);
    const QPageSize size = pageSize(page.value(u"size"_s).toString());
    if (!size.isValid())
        read.fail(u"le format de page doit être A3, A4, A5 ou Letter."_s);
    const QString orientation = page.value(u"orientation"_s).toString();
    if (orientation != u"portrait"_s && orientation != u"landscape"_s)
        read.fail(u"l'orientation doit être « portrait » ou « landscape »."_s);
    const QJsonObject margins = read.object(page, u"margins"_s);
    const QMarginsF marginsMm(
        read.number(margins, u"left"_s, 0, 50), read.number(margins, u"top"_s, 0, 50),
        read.number(margins, u"right"_s, 0, 50), read.number(margins, u"bottom"_s, 0, 50));
    d.pageLayout = QPageLayout(
        size, orientation == u"portrait"_s ? QPageLayout::Portrait : QPageLayout::Landscape,
        marginsMm, QPageLayout::Millimeter);
    if (root.contains(u"cardsPerPage"_s)) {
        d.cardsPerPage = int(read.number(root, u"cardsPerPage"_s, 1, 16));
        d.sheetsPerPage = (d.cardsPerPage + 3) / 4;
    } else {
        d.sheetsPerPage = int(read.number(root, u"sheetsPerPage"_s, 1, 4));
        d.cardsPerPage = 4 * d.sheetsPerPage;
    }

    const QJsonObject heading = read.object(root, u"heading"_s);
    d.headingHeight = read.number(heading, u"height"_s, 4, 60);
    d.headingFont = read.font(heading, u"font"_s);
    d.headingColour = read.colour(heading, u"colour"_s);
    const QString position = heading.value(u"position"_s).toString(u"top"_s);
    if (position != u"top"_s && position != u"bottom"_s)
        read.fail(u"la position du titre doit être « top » ou « bottom »."_s);
    d.headingAtBottom = position == u"bottom"_s;
    const QString align = heading.value(u"align"_s).toString(u"center"_s);
    d.headingAlignment = align == u"left"_s    ? Qt::AlignLeft
                         : align == u"right"_s ? Qt::AlignRight
                                               : Qt::AlignHCenter;

    const QJsonObject card = read.object(root, u"card"_s);
    d.cardHeight = read.number(card, u"height"_s, 20, 200);
    d.cardGap = read.number(card, u"gap"_s, 0, 50);
    d.numberHeight = read.number(card, u"numberHeight"_s, 0, 30);
    d.numberPrefix = card.value(u"numberPrefix"_s).toString();
    d.numberFont = read.font(card, u"numberFont"_s);
    d.cellFont = read.font(card, u"cellFont"_s);
    d.lineWidth = read.number(card, u"lineWidth"_s, 0.05, 3);
    d.lineColour = read.colour(card, u"lineColour"_s);
    d.numberColour = read.colour(card, u"numberColour"_s);
    d.emptyShade = read.colour(card, u"emptyShade"_s);
    d.cutMarks = card.value(u"cutMarks"_s).toBool(true);
    d.codePrefix = card.value(u"codePrefix"_s).toString(u"Code : "_s);
    if (root.contains(u"band"_s)) {
        const QJsonObject band = read.object(root, u"band"_s);
        d.bandHeight = read.number(band, u"height"_s, 8, 40);
        d.bandFont = read.font(band, u"font"_s);
    } else {
        d.bandFont = QFont(u"Arial"_s);
        d.bandFont.setPointSizeF(11);
        d.bandFont.setBold(true);
    }
    if (d.numberHeight >= d.cardHeight)
        read.fail(u"la hauteur du numéro dépasse celle de la carte."_s);

    // Everything must fit on the page, or cards would be cut.
    const QSizeF room = d.pageLayout.paintRect(QPageLayout::Millimeter).size();
    const qreal needed = d.headingHeight + d.cardsPerPage * (d.cardHeight + d.cardGap);
    if (needed > room.height() + d.cardGap + 0.01)
        read.fail(u"les cartes demandées ne tiennent pas sur la page."_s);
    return d;
}
