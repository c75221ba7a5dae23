#pragma once

#include "game/verdict.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class DrawState;
class QWidget;
struct Services;

// Finds the grid a player calls out in the draw's grid file, for the two
// checks of the draw screen: is it full, or which of its lines are. The grid
// file is only ever read.
class GridVerifier
{
public:
    GridVerifier(Services& services, QWidget* parent, QString appPath);

    // Asks for the grid number and reads the grid; nullopt with `stop`
    // filled in when the check ends there.
    std::optional<ClaimedGrid> readClaim(ClaimKind kind, const QString& title, Verdict& stop);
    // What the grid holds against the numbers out, with no evening behind it.
    Verdict ProcVerifGrille(const QString& title, const DrawState& state);
    Verdict ProcVerifLigne(const QString& title, const DrawState& state);

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
    std::optional<Found> ProcChercheGrille(ClaimKind kind, const QString& title, Verdict& stop);

    // Reads the grid through scratch files in GRILLES, or in the user's own
    // temporary folder when GRILLES cannot be written.
    template <typename Reading>
    Reading readThroughScratch(const std::function<Reading(const QString&)>& read);

    Services& m_services;
    QWidget* m_parent;
    QString m_appPath;
    QString m_fingerprint;
};
