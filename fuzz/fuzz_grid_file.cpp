// A grid file as found in GRILLES, with or without the journal a crash
// leaves beside it: any content is either read as a sound grid file or
// refused with a message, and reading never changes it.
#include "fuzztext.h"
#include "grids/gridfile.h"
#include "grids/gridfileerror.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(bytes) == bytes.size());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("8-01-01-2001.DAT"));
    const QString journal = path + QStringLiteral("-journal");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Bytes after a "JOURNAL" mark, if any, lie beside the file as its journal.
    const qsizetype mark = bytes.indexOf("JOURNAL");
    QFile::remove(journal);
    write(path, mark < 0 ? bytes : bytes.left(mark));
    if (mark >= 0)
        write(journal, bytes.mid(mark + 7));
    const bool hadJournal = mark >= 0;
    const QByteArray before = digest(path);
    try {
        GridFile file(path, GridFile::Access::ReadOnly);
        file.checkWhole(8);
        require(file.sheetCount() == 2);
        // Only a journal played back may change a file that is read.
        require(hadJournal || digest(path) == before);
    } catch (const GridFileError& e) {
        require(!e.message().isEmpty());
    }
    return 0;
}
