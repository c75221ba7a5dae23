#include "gridverifier.h"

#include "entryformat.h"
#include "game/wincheck.h"
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
VerificationOutcome message(const QString& text)
{
    VerificationOutcome outcome;
    outcome.kind = VerificationOutcome::Kind::Message;
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

std::optional<GridVerifier::Found> GridVerifier::ProcChercheGrille(Kind kind, const QString& title,
                                                                   VerificationOutcome& stop)
{
    if (title.isEmpty()) {
        stop = message(u"Un fichier de tirage doit être actif\npour pouvoir vérifier "_s +
                       (kind == Kind::WholeGrid ? u"une grille !!"_s : u"une ligne !!"_s));
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

VerificationOutcome GridVerifier::ProcVerifGrille(const QString& title, const DrawState& state)
{
    VerificationOutcome outcome;
    try {
        const std::optional<Found> found = ProcChercheGrille(Kind::WholeGrid, title, outcome);
        if (!found)
            return outcome;
        const auto reading = readThroughScratch<GridReading::WholeGrid>([&](const QString& folder) {
            return GridReading::readWholeGrid(folder, found->grid, found->entry);
        });
        const int count = WinCheck::countDrawn(reading.gridNumbers, state);
        outcome = count < 15 ? message(WinCheck::wholeGridLoser(found->entry, count)) : outcome;
        outcome.isVerdict = true;
        outcome.entry = found->entry;
        outcome.matches = count;
        outcome.code = found->code;
        outcome.cellTexts = reading.cellTexts; // the grid, for what the phase adds
        if (count < 15)
            return outcome;
        outcome.kind = VerificationOutcome::Kind::Winner;
        outcome.text = WinCheck::wholeGridWinner(found->entry);
        outcome.cellTexts = reading.cellTexts;
        return outcome;
    } catch (const GridFileError& e) {
        return message(e.message());
    }
}

VerificationOutcome GridVerifier::ProcVerifLigne(const QString& title, const DrawState& state)
{
    VerificationOutcome outcome;
    try {
        const std::optional<Found> found = ProcChercheGrille(Kind::Line, title, outcome);
        if (!found)
            return outcome;
        const auto reading = readThroughScratch<GridReading::Lines>([&](const QString& folder) {
            return GridReading::readLines(folder, found->grid, found->entry);
        });
        int counts[3];
        for (std::size_t r = 0; r < 3; ++r)
            counts[r] = WinCheck::countDrawn(reading.lineNumbers[r], state);
        const WinCheck::LineVerdict verdict =
            WinCheck::decideLines(counts[0], counts[1], counts[2], found->entry);
        outcome = verdict.winner ? outcome : message(verdict.text);
        outcome.isVerdict = true;
        outcome.entry = found->entry;
        outcome.matches = *std::max_element(std::begin(counts), std::end(counts));
        outcome.code = found->code;
        outcome.cellTexts = reading.cellTexts;
        if (!verdict.winner)
            return outcome;
        outcome.kind = VerificationOutcome::Kind::Winner;
        outcome.text = verdict.text;
        outcome.cellTexts = reading.cellTexts;
        outcome.redCells = verdict.redCells;
        outcome.note = verdict.note;
        return outcome;
    } catch (const GridFileError& e) {
        return message(e.message());
    }
}
