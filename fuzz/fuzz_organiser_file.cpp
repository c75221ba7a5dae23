// The organiser's file found in the user's data folder, edited by hand or
// damaged: what is read back is short text, and a logo only one of ours.
#include "evening/organiser.h"
#include "fuzztext.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("organisateur.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const Organiser organiser = Organiser::read(path);
    require(organiser.name.size() <= Organiser::MaxTextLength &&
            organiser.place.size() <= Organiser::MaxTextLength);
    require(organiser.logo.isEmpty() == organiser.logoFormat.isEmpty());
    return 0;
}
