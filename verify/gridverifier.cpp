#include "gridverifier.h"

#include "entryformat.h"
#include "game/claimjudge.h"
#include "gridreading.h"
#include "grids/cardcode.h"
#include "grids/gridfile.h"
#include "grids/gridfileerror.h"
#include "grids/gridfilename.h"
#include "grids/gridfolder.h"
#include "platform/busypointer.h"
#include "platform/inputbox.h"
#include "platform/param.h"
#include "platform/services.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
Verdict message(const QString& text)
{
    Verdict outcome;
    outcome.kind = Verdict::Kind::Message;
    outcome.text = text;
    return outcome;
}

} // namespace

GridVerifier::GridVerifier(Services& services, QWidget* parent, QString appPath)
    : m_services(services), m_parent(parent), m_appPath(std::move(appPath))
{}

QString GridVerifier::notThePlayersText(const QString& fileName)
{
    return u"Le fichier de grilles "_s + fileName +
           u" a été refait depuis le début de ce tirage : ses grilles ne sont plus celles des "
           "joueurs."_s;
}

std::optional<GridVerifier::Found>
GridVerifier::ProcChercheGrille(ClaimKind kind, const QString& title, Verdict& stop)
{
    if (title.isEmpty()) {
        stop = message(u"Un fichier de tirage doit être actif\npour pouvoir vérifier "_s +
                       (kind == ClaimKind::WholeGrid ? u"une grille !!"_s : u"une ligne !!"_s));
        return std::nullopt;
    }
    const std::optional<QString> answer = m_services.input.ask(
        m_parent, Product::name(), u"Entrez le numéro de grille à vérifier"_s, QString());
    const QString entry = formatGridEntry(answer.value_or(QString()));
    if (entry.isEmpty())
        return std::nullopt;

    const std::optional<GridFileName> name = GridFileName::fromDrawTitle(title);
    if (!name) {
        stop = message(u"Le titre du tirage ne désigne pas un fichier de grilles :\n"_s + title);
        return std::nullopt;
    }
    const QString path = GridFolder::resolve(m_appPath, name->fileName());
    GridFile file(path, GridFile::Access::ReadOnly);
    // Put in place of the players' file mid-game, another file is never judged.
    if (!m_fingerprint.isEmpty()) {
        const BusyPointer busy;
        if (file.checkWhole(name->count) != m_fingerprint)
            throw GridFileError(notThePlayersText(QFileInfo(path).fileName()) +
                                u"\n\nAucune grille n'y est vérifiée : on ne vérifie jamais des "
                                "grilles que les joueurs n'ont pas."_s);
    }
    const std::optional<GridFile::Location> location = file.findGrid(entry);
    const std::optional<GridSheet> sheet =
        location ? file.readSheet(location->grille) : std::nullopt;
    if (!sheet) {
        stop = message(u"La grille "_s + entryForMessages(entry) + u" n'existe pas"_s);
        return std::nullopt;
    }
    const Grid& grid = sheet->grids[std::size_t(location->slot - 1)];
    // A grid no card could hold is never judged: the file is damaged.
    const QString fault = gridFault(grid);
    if (!fault.isEmpty())
        throw GridFileError(notAGridFileText(path, u"la grille "_s + entry + u' ' + fault));
    const std::optional<QByteArray> secret = file.cardSecret();
    return Found{entry, grid, secret ? CardCode::of(*secret, entry.toInt(), grid) : QString()};
}

template <typename Reading>
Reading GridVerifier::readThroughScratch(const std::function<Reading(const QString&)>& read)
{
    const QString grilles = GridFolder::path(m_appPath);
    QString detail;
    try {
        return read(grilles);
    } catch (const GridReading::ScratchFolderError&) {
        // GRILLES belongs to whoever installed the program: the organiser's
        // own temporary folder serves as well.
    }
    const QTemporaryDir own(QDir::tempPath() + u"/numerella-XXXXXX"_s);
    if (own.isValid()) {
        try {
            return read(own.path());
        } catch (const GridReading::ScratchFolderError& e) {
            detail = e.detail();
        }
    } else {
        detail = u"aucun dossier temporaire ne peut y être créé"_s;
    }
    throw GridFileError(u"Les fichiers de travail de la vérification n'ont pu être écrits ni "
                        "dans\n"_s +
                        QDir::toNativeSeparators(grilles) + u"\nni dans\n"_s +
                        QDir::toNativeSeparators(QDir::tempPath()) +
                        u"\n\nLa vérification est abandonnée ; le tirage continue.\n\n"
                        "Détail : "_s +
                        detail);
}

std::optional<ClaimedGrid> GridVerifier::readClaim(ClaimKind kind, const QString& title,
                                                   Verdict& stop)
{
    try {
        const std::optional<Found> found = ProcChercheGrille(kind, title, stop);
        if (!found)
            return std::nullopt;
        ClaimedGrid claimed{kind, found->entry, found->grid, {}, {}, {}, found->code};
        if (kind == ClaimKind::WholeGrid) {
            const auto reading =
                readThroughScratch<GridReading::WholeGrid>([&](const QString& folder) {
                    return GridReading::readWholeGrid(folder, found->grid, found->entry);
                });
            claimed.cellTexts = reading.cellTexts;
            claimed.gridNumbers = reading.gridNumbers;
        } else {
            const auto reading = readThroughScratch<GridReading::Lines>([&](const QString& folder) {
                return GridReading::readLines(folder, found->grid, found->entry);
            });
            claimed.cellTexts = reading.cellTexts;
            claimed.lineNumbers = reading.lineNumbers;
        }
        return claimed;
    } catch (const GridFileError& e) {
        stop = message(e.message());
        return std::nullopt;
    }
}

Verdict GridVerifier::ProcVerifGrille(const QString& title, const DrawState& state)
{
    Verdict stop;
    const std::optional<ClaimedGrid> claimed = readClaim(ClaimKind::WholeGrid, title, stop);
    return claimed ? ClaimJudge::read(*claimed, state) : stop;
}

Verdict GridVerifier::ProcVerifLigne(const QString& title, const DrawState& state)
{
    Verdict stop;
    const std::optional<ClaimedGrid> claimed = readClaim(ClaimKind::Line, title, stop);
    return claimed ? ClaimJudge::read(*claimed, state) : stop;
}
