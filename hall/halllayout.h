#pragma once

#include <QFont>
#include <QRect>

#include <array>

// Where everything of the hall display goes in a window of a given size,
// and how big its text is. The big number comes first: its digits are at
// least 60 % of the height on a wide screen; the board's numbers then get
// the width that is left.
struct HallLayout
{
    QRect title; // shares its line with the count, which comes first
    QRect count;
    QRect programme;
    QRect number;
    std::array<QRect, 5> lastFive;
    QRect board;
    std::array<QRect, 90> cells; // number n at n - 1, rows of ten
    QRect win;                   // the winning grid shown over the board
    // While the phones follow the draw: the invitation, its QR code, the address.
    QRect invitationLines;
    QRect qrCode;
    QRect address;
    int invitationPixels = 0;
    int titlePixels = 0; // the header's lines, unless shrunk to fit
    int headerFloor = 0; // the header never reads smaller: a twentieth of the height
    int numberPixels = 0;
    int lastFivePixels = 0;
    int boardPixels = 0;

    // invitation: room is kept at the right for the phones' QR code, as large
    // as the height allows, to be read from the back of the hall.
    static HallLayout compute(QSize size, const QFont& family, bool invitation = false);
    static QString invitationText(); // "Suivez le tirage sur votre téléphone"
    // The hall's typeface: narrow, plain digits that read from afar.
    static QFont family();
    // Bold font of the family at a pixel size.
    static QFont font(const QFont& family, int pixels);

    // A header line in a width: at the largest size from `pixels` down to
    // `floor` at which it fits, elided at the floor when it still does not.
    struct FittedLine
    {
        QString text;
        int pixels = 0;
    };
    static FittedLine fitLine(const QFont& family, const QString& text, int width, int pixels,
                              int floor);
};
