#pragma once

#include <QByteArray>
#include <QString>

class QPainter;
class QRectF;

// Who runs the evening, as the organiser set it in "Organisateur": a name,
// a place and a logo, printed on the cards' pages and the evening's papers
// and shown on the hall display. Kept in one small file of the user's data
// folder, the logo beside it.
struct Organiser
{
    static constexpr int MaxTextLength = 80;
    static constexpr qint64 MaxLogoBytes = 5 * 1024 * 1024;
    static constexpr int MaxLogoSide = 4000; // points, for PNG and JPEG

    QString name;
    QString place;
    QByteArray logo;    // the image as chosen
    QString logoFormat; // "png", "jpeg" or "svg"; empty without a logo

    bool isSet() const { return !name.isEmpty() || !place.isEmpty() || !logo.isEmpty(); }
    // "Comité des fêtes de Saint-Martin - Salle des fêtes", as a band reads it.
    QString line() const;
    // The logo fitted in the rectangle, centred, its proportions kept.
    void drawLogo(QPainter& painter, const QRectF& area) const;

    // What is kept, or nothing when the file is missing or unreadable.
    static Organiser read(const QString& file);
    // The refusal in French, or an empty string once both files are whole in place.
    QString write(const QString& file) const;

    // Reads a logo the organiser chose: the refusal in French, or an empty
    // string with the logo taken into `into`.
    static QString takeLogo(const QString& path, Organiser& into);
};
