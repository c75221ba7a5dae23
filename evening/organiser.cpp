#include "organiser.h"

#include "platform/atomicfile.h"
#include "platform/errortext.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 MaxOrganiserFileBytes = 64 * 1024;
const QString OrganiserFormat = u"numerella-organisateur-1"_s;

QString logoName(const QString& format)
{
    return u"organisateur-logo."_s + (format == u"jpeg" ? u"jpg"_s : format);
}

// An SVG drawn from its own bytes alone: nothing it names is ever looked
// for, on the disk or on the network.
bool svgStandsAlone(const QByteArray& bytes)
{
    static const QRegularExpression outside(
        uR"((?:href|src)\s*=\s*["']\s*(?!#|data:)|<!ENTITY|<!DOCTYPE[^>]*\[|url\(\s*["']?\s*(?!#|data:))"_s,
        QRegularExpression::CaseInsensitiveOption);
    return !outside.match(QString::fromUtf8(bytes)).hasMatch();
}

// The logo's format once its bytes are read as an image: empty with the
// refusal when they are not one the program prints.
QString formatOf(const QByteArray& bytes, const QString& shown, QString* refusal)
{
    const QString notAnImage =
        u"Le fichier %1 n'est pas une image PNG, JPEG ou SVG lisible."_s.arg(shown);
    if (bytes.trimmed().startsWith("<")) {
        if (!bytes.contains("<svg")) {
            *refusal = notAnImage;
            return {};
        }
        if (!svgStandsAlone(bytes)) {
            *refusal = u"L'image %1 fait appel à d'autres fichiers ou à Internet : un logo doit "
                       "tenir tout entier dans son fichier."_s.arg(shown);
            return {};
        }
        if (!QSvgRenderer(bytes).isValid()) {
            *refusal = notAnImage;
            return {};
        }
        return u"svg"_s;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QString format = QString::fromLatin1(reader.format());
    if (format != u"png" && format != u"jpeg") {
        *refusal = notAnImage;
        return {};
    }
    const QSize size = reader.size();
    if (size.width() > Organiser::MaxLogoSide || size.height() > Organiser::MaxLogoSide) {
        *refusal = u"L'image %1 est trop grande (%2 x %3 points) : un logo ne peut pas dépasser "
                   "%4 points de côté."_s.arg(shown)
                       .arg(size.width())
                       .arg(size.height())
                       .arg(Organiser::MaxLogoSide);
        return {};
    }
    if (reader.read().isNull()) {
        *refusal = notAnImage;
        return {};
    }
    return format;
}

QString fitText(const QString& text)
{
    return text.simplified().left(Organiser::MaxTextLength);
}
} // namespace

QString Organiser::line() const
{
    if (name.isEmpty() || place.isEmpty())
        return name + place;
    return name + u" - "_s + place;
}

void Organiser::drawLogo(QPainter& painter, const QRectF& area) const
{
    if (logo.isEmpty() || area.isEmpty())
        return;
    QSizeF size;
    QSvgRenderer svg;
    QImage image;
    if (logoFormat == u"svg") {
        if (!svg.load(logo))
            return;
        size = svg.defaultSize();
    } else {
        image = QImage::fromData(logo);
        size = image.size();
    }
    if (size.isEmpty())
        return;
    const QSizeF fitted = size.scaled(area.size(), Qt::KeepAspectRatio);
    const QRectF target(area.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
    if (logoFormat == u"svg")
        svg.render(&painter, target);
    else
        painter.drawImage(target, image);
}

QImage Organiser::logoImage(int height) const
{
    if (logo.isEmpty())
        return {};
    QSizeF size;
    if (logoFormat == u"svg") {
        size = QSvgRenderer(logo).defaultSize();
    } else {
        QBuffer buffer;
        buffer.setData(logo);
        size = QImageReader(&buffer).size();
    }
    if (size.isEmpty())
        return {};
    const int width = std::clamp(int(height * size.width() / size.height()), 1, 4 * height);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawLogo(painter, QRectF(0, 0, width, height));
    return image;
}

Organiser Organiser::read(const QString& file)
{
    Organiser organiser;
    QFile source(file);
    if (file.isEmpty() || source.size() > MaxOrganiserFileBytes ||
        !source.open(QIODevice::ReadOnly))
        return organiser;
    const QJsonObject root = QJsonDocument::fromJson(source.readAll()).object();
    if (root.value(u"format"_s).toString() != OrganiserFormat)
        return organiser;
    organiser.name = fitText(root.value(u"nom"_s).toString());
    organiser.place = fitText(root.value(u"lieu"_s).toString());
    const QString logo = root.value(u"logo"_s).toString();
    // Only a logo of ours, beside the file: never a path found in it.
    if (logo.isEmpty() || logo.contains(u'/') || !logo.startsWith(u"organisateur-logo."))
        return organiser;
    const QString logoPath = QFileInfo(file).dir().filePath(logo);
    if (QFileInfo(logoPath).isFile() && QFileInfo(logoPath).size() <= MaxLogoBytes) {
        Organiser taken;
        if (takeLogo(logoPath, taken).isEmpty()) {
            organiser.logo = taken.logo;
            organiser.logoFormat = taken.logoFormat;
        }
    }
    return organiser;
}

QString Organiser::write(const QString& file) const
{
    const QDir folder = QFileInfo(file).dir();
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return u"Le dossier %1 ne peut pas être créé."_s.arg(
            QDir::toNativeSeparators(folder.path()));
    QJsonObject root{{u"format"_s, OrganiserFormat}, {u"nom"_s, name}, {u"lieu"_s, place}};
    if (!logo.isEmpty()) {
        const QString logoPath = folder.filePath(logoName(logoFormat));
        // A logo kept already is left as it is: changing the name writes the name alone.
        QFile kept(logoPath);
        const bool same =
            kept.size() == logo.size() && kept.open(QIODevice::ReadOnly) && kept.readAll() == logo;
        kept.close();
        if (const QString failed = same ? QString() : AtomicFile::save(logoPath, logo);
            !failed.isEmpty())
            return QDir::toNativeSeparators(logoPath) + u"\n"_s + failed;
        root.insert(u"logo"_s, logoName(logoFormat));
    }
    const QByteArray json = QJsonDocument(root).toJson();
    if (const QString failed = AtomicFile::save(file, json); !failed.isEmpty())
        return QDir::toNativeSeparators(file) + u"\n"_s + failed;
    // The logos of other formats, or none now, no longer belong to the file.
    for (const QString& format : {u"png"_s, u"jpeg"_s, u"svg"_s})
        if (logo.isEmpty() || format != logoFormat)
            QFile::remove(folder.filePath(logoName(format)));
    return {};
}

QString Organiser::takeLogo(const QString& path, Organiser& into)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (info.isDir())
        return u"%1 est un dossier : choisissez une image PNG, JPEG ou SVG."_s.arg(shown);
    if (!info.exists())
        return u"Le fichier %1 est introuvable."_s.arg(shown);
    if (info.size() > MaxLogoBytes)
        return u"L'image %1 est trop lourde (%2 Mo) : un logo ne peut pas dépasser %3 Mo."_s
            .arg(shown)
            .arg(QLocale(QLocale::French).toString(double(info.size()) / (1024 * 1024), 'f', 1))
            .arg(MaxLogoBytes / (1024 * 1024));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"Le fichier %1 ne peut pas être lu : %2."_s.arg(shown, fileErrorText(file));
    const QByteArray bytes = file.read(MaxLogoBytes + 1);
    if (bytes.size() > MaxLogoBytes)
        return u"L'image %1 est trop lourde : un logo ne peut pas dépasser %2 Mo."_s.arg(shown).arg(
            MaxLogoBytes / (1024 * 1024));
    QString refusal;
    const QString format = formatOf(bytes, shown, &refusal);
    if (format.isEmpty())
        return refusal;
    into.logo = bytes;
    into.logoFormat = format;
    return {};
}
