#pragma once

#include "gridreading.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class DrawState;
class QWidget;
struct Services;

// What a verification ends with: nothing (cancelled), a message box, or the
// result panel showing a winning grid.
struct VerificationOutcome
{
    enum class Kind { Stopped, Message, Winner };
    Kind kind = Kind::Stopped;
    QString text; // the message, or the panel's title
    GridReading::CellTexts cellTexts;
    QList<int> redCells; // CaseGrille indexes 1..27
    QString note;        // what the title leaves unsaid, shown under it
    // A verdict on a grid found, as the record keeps it: the entry and the
    // numbers drawn (of the grid, or of its best row).
    bool isVerdict = false;
    QString entry;
    int matches = 0;
    QString code; // the card's control code, when the file has a secret
};

// The two checks of the draw screen: is the grid a player calls out full,
// or which of its lines are. The grid file is only ever read.
class GridVerifier
{
public:
    enum class Kind { WholeGrid, Line };

    GridVerifier(Services& services, QWidget* parent, QString appPath);

    VerificationOutcome ProcVerifGrille(const QString& title, const DrawState& state);
    VerificationOutcome ProcVerifLigne(const QString& title, const DrawState& state);

    // The grids a draw's players hold: the file is read for a check only once
    // its grids are found to have this fingerprint again.
    void requireFingerprint(const QString& fingerprint) { m_fingerprint = fingerprint; }
    // The grid file of a draw no longer holds the grids its players have.
    static QString notThePlayersText(const QString& fileName);

private:
    struct Found
    {
        QString entry;
        Grid grid;
        QString code;
    };
    // Asks for the grid number and finds it in the file the title names;
    // nullopt with the outcome filled in when the verification stops there.
    std::optional<Found> ProcChercheGrille(Kind kind, const QString& title,
                                           VerificationOutcome& stop);

    // Reads the grid through scratch files in GRILLES, or in the user's own
    // temporary folder when GRILLES cannot be written.
    template <typename Reading>
    Reading readThroughScratch(const std::function<Reading(const QString&)>& read);

    Services& m_services;
    QWidget* m_parent;
    QString m_appPath;
    QString m_fingerprint;
};
