#include "drawgridfile.h"

#include "grids/gridfile.h"
#include "grids/gridfileerror.h"
#include "grids/gridfilename.h"
#include "grids/gridfolder.h"
#include "verify/gridverifier.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace DrawGridFile {

SeriesFile choose(const QString& appPath, const QString& title, QList<QPair<int, Grid>>* grids)
{
    const std::optional<GridFileName> name = GridFileName::fromDrawTitle(title);
    if (!name)
        throw GridFileError(u"Le titre du tirage ne désigne pas un fichier de grilles :\n"_s +
                            title);
    const QString path = GridFolder::resolve(appPath, name->fileName());
    GridFile file(path, GridFile::Access::ReadOnly);
    if (grids) {
        grids->clear();
        grids->reserve(name->count);
    }
    const QString fingerprint = file.checkWhole(name->count, [grids](int number, const Grid& grid) {
        if (grids)
            grids->append({number, grid});
    });
    return {title, QDir(GridFolder::path(appPath)).relativeFilePath(path), name->date, name->count,
            fingerprint};
}

QString whyNotCheckable(const QString& appPath, const SeriesFile& file)
{
    if (file.title.isEmpty())
        return {};
    const QString tail = u"\n\nLe tirage reprend, mais les grilles ne pourront pas être "
                         "vérifiées : on ne vérifie jamais des grilles que les joueurs n'ont "
                         "pas."_s;
    try {
        if (choose(appPath, file.title).fingerprint == file.fingerprint)
            return {};
        return GridVerifier::notThePlayersText(file.fileName) + tail;
    } catch (const GridFileError&) {
        return u"Le fichier de grilles "_s + file.fileName +
               u" de ce tirage n'existe plus ou ne peut plus être lu."_s + tail;
    }
}

} // namespace DrawGridFile
