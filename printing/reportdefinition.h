#pragma once

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QString>

// The printed layout of a grid file, read from LOTO2.DAT beside the program
// at each print, so an organiser can change it without a new program.
struct ReportDefinition
{
    QPageLayout pageLayout; // size, orientation and margins
    int sheetsPerPage = 1;
    int cardsPerPage = 4; // "cardsPerPage" when given, else four a sheet

    qreal headingHeight = 12; // millimetres, as every length here
    bool headingAtBottom = false;
    QFont headingFont;
    QColor headingColour;
    Qt::Alignment headingAlignment = Qt::AlignHCenter;

    qreal cardHeight = 62;
    qreal cardGap = 4;
    qreal numberHeight = 8;
    QString numberPrefix;
    QFont numberFont;
    QFont cellFont;
    qreal lineWidth = 0.4;
    QColor lineColour;
    QColor numberColour;
    QColor emptyShade;
    bool cutMarks = true;
    // Before each card's control code, right of its number; empty prints no code.
    QString codePrefix;

    // The organiser's band, when an organiser is set: never over a card.
    qreal bandHeight = 14;
    QFont bandFont;

    // Throws GridFileError with a French message when the file is missing,
    // is not a report definition, or asks for something impossible.
    static ReportDefinition load(const QString& path);
    static ReportDefinition parse(const QByteArray& json, const QString& path);
};
