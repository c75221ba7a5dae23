// A game record as found in the user's data folder: any content is either
// read as a record, whose series come back with only numbers a ball bears,
// or refused with a message and left exactly as it was.
#include "fuzztext.h"
#include "game/drawstate.h"
#include "game/gamerecord.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tirages.db"));
    for (const char* extra : {"-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(extra));
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    const QByteArray before = digest(path);
    GameRecord record(path);
    try {
        record.open();
    } catch (const RecordError& e) {
        require(!e.message().isEmpty());
        require(size == 0 || digest(path) == before);
        return 0;
    }
    try {
        for (const SeriesSummary& summary : record.summaries()) {
            DrawState state;
            for (int n : record.series(summary.id).sequence())
                state.record(n); // asserts a number from 1 to 90, out once
        }
        if (const auto open = record.interruptedSeries())
            require(!open->sequence().isEmpty());
    } catch (const RecordError& e) {
        require(!e.message().isEmpty());
    }
    return 0;
}
