#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class CardBook;
class DrawSeries;
struct PhoneCard;

// What the phones are sent, read from the series as the hall display reads
// it: the phones show these texts as they are and decide nothing.
struct SnapshotExtras
{
    QString theme; // "clair" or "sombre", the hall's
    QString organiser;
};

// The whole draw: {"type":"etat", ...}.
QByteArray drawSnapshot(const DrawSeries& series, const SnapshotExtras& extras,
                        const CardBook& book);

// A followed card as the phone shows it, with the numbers out marked.
QJsonObject cardSnapshot(int number, const struct Grid& grid, const DrawSeries& series);
QJsonObject refusedCardSnapshot(int number, const QString& refusal);

// {"type":"fin", ...}: the phones are no longer told of the draw.
QByteArray endSnapshot();
