#include "gridfile.h"

#include "gridfileerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {
std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

QString busyText(const QString& path)
{
    return u"Le fichier de grilles "_s + QDir::toNativeSeparators(path) +
           u"\nest utilisé par un autre programme.\n\nFermez ce programme puis recommencez."_s;
}

bool isBusy(const SQLite::Exception& e)
{
    return e.getErrorCode() == SQLITE_BUSY || e.getErrorCode() == SQLITE_LOCKED;
}

QString notAGridFileText(const QString& path)
{
    return u"Le fichier "_s + QDir::toNativeSeparators(path) +
           u"\nn'est pas un fichier de grilles de Numerella, ou il est endommagé."_s;
}

std::string insertStatement()
{
    std::string columns = "GRILLE, NUM1, NUM2, NUM3, NUM4";
    std::string values = "?, ?, ?, ?, ?";
    for (int n = 1; n <= GridSheet::Cells; ++n) {
        columns += ", NUMERO" + std::to_string(n);
        values += ", ?";
    }
    return "INSERT INTO TIRAGE (" + columns + ") VALUES (" + values + ")";
}

constexpr int BusyTimeoutMs = 1000;

// GRILLE, NUM1..NUM4, NUMERO1..NUMERO108 in this order.
const char SheetColumns[] = "SELECT * FROM TIRAGE";
} // namespace

QString databaseFailureText(const QString& path, const QString& detail)
{
    return u"Le fichier de grilles "_s + QDir::toNativeSeparators(path) +
           u"\nn'a pas pu être lu ou écrit.\n\nDétail : "_s + detail;
}

template <typename Work> auto GridFile::guarded(Work&& work) -> decltype(work())
{
    try {
        return work();
    } catch (const SQLite::Exception& e) {
        const QString detail = QString::fromUtf8(e.what());
        throw GridFileError(isBusy(e) ? busyText(m_path) : databaseFailureText(m_path, detail),
                            detail);
    }
}

GridFile::GridFile(const QString& path, Access access) : m_path(path)
{
    if (!QFileInfo(path).isFile())
        throw GridFileError(u"Le fichier de grilles "_s + QDir::toNativeSeparators(path) +
                            u" est introuvable."_s);
    try {
        const int flags =
            access == Access::ReadOnly ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE;
        // Another program may hold the file a moment; wait for it a little.
        m_db = std::make_unique<SQLite::Database>(utf8(path), flags, BusyTimeoutMs);
        const int id = m_db->execAndGet("PRAGMA application_id").getInt();
        if (id != ApplicationId || !m_db->tableExists("TIRAGE") || !m_db->tableExists("TEMPO"))
            throw GridFileError(notAGridFileText(path));
    } catch (const SQLite::Exception& e) {
        throw GridFileError(isBusy(e) ? busyText(path) : notAGridFileText(path));
    }
}

GridFile::~GridFile() = default;

void GridFile::setScratchWrites()
{
    guarded([this] {
        m_db->exec("PRAGMA journal_mode = OFF");
        m_db->exec("PRAGMA synchronous = OFF");
    });
}

void GridFile::runInTransaction(const std::function<void()>& work)
{
    guarded([&] {
        SQLite::Transaction transaction(*m_db);
        work();
        transaction.commit();
    });
}

void GridFile::appendSheet(const GridSheet& sheet)
{
    guarded([&] {
        if (!m_insert)
            m_insert = std::make_unique<SQLite::Statement>(*m_db, insertStatement());
        SQLite::Statement& insert = *m_insert;
        insert.reset();
        insert.clearBindings(); // empty cells stay null
        insert.bind(1, sheet.grille);
        for (int k = 0; k < GridSheet::Grids; ++k)
            insert.bind(2 + k, utf8(sheet.numbers[static_cast<std::size_t>(k)]));
        for (int k = 0; k < GridSheet::Grids; ++k) {
            const Grid& grid = sheet.grids[static_cast<std::size_t>(k)];
            for (int i = 0; i < Grid::Cells; ++i) {
                const int value = grid.cells[static_cast<std::size_t>(i)];
                if (value != 0)
                    insert.bind(6 + 27 * k + i, value);
            }
        }
        insert.exec();
    });
}

std::optional<GridFile::Location> GridFile::findGrid(const QString& numberText)
{
    return guarded([&]() -> std::optional<Location> {
        std::optional<Location> found;
        for (int slot = 1; slot <= GridSheet::Grids; ++slot) {
            // The number is bound as a value: whatever was typed is only ever data.
            SQLite::Statement query(*m_db, "SELECT GRILLE FROM TIRAGE WHERE NUM" +
                                               std::to_string(slot) +
                                               " = ? ORDER BY GRILLE LIMIT 1");
            query.bind(1, utf8(numberText));
            if (query.executeStep())
                found = Location{query.getColumn(0).getInt(), slot};
        }
        return found;
    });
}

GridSheet GridFile::sheetFromCurrentRow(SQLite::Statement& query) const
{
    GridSheet sheet;
    sheet.grille = query.getColumn(0).getInt();
    for (int k = 0; k < GridSheet::Grids; ++k)
        sheet.numbers[static_cast<std::size_t>(k)] =
            QString::fromUtf8(query.getColumn(1 + k).getText());
    const int columns = query.getColumnCount();
    for (int n = 1; n <= GridSheet::Cells && 4 + n < columns; ++n) {
        const SQLite::Column cell = query.getColumn(4 + n);
        const int k = (n - 1) / Grid::Cells;
        const int i = (n - 1) % Grid::Cells;
        sheet.grids[static_cast<std::size_t>(k)].cells[static_cast<std::size_t>(i)] =
            cell.isNull() ? 0 : cell.getInt();
    }
    return sheet;
}

std::optional<GridSheet> GridFile::readSheet(int grille)
{
    return guarded([&]() -> std::optional<GridSheet> {
        SQLite::Statement query(*m_db, std::string(SheetColumns) + " WHERE GRILLE = ?");
        query.bind(1, grille);
        if (!query.executeStep())
            return std::nullopt;
        return sheetFromCurrentRow(query);
    });
}

int GridFile::sheetCount()
{
    return guarded([&] { return m_db->execAndGet("SELECT COUNT(*) FROM TIRAGE").getInt(); });
}

void GridFile::forEachSheet(const std::function<void(const GridSheet&)>& visit)
{
    guarded([&] {
        SQLite::Statement query(*m_db, std::string(SheetColumns) + " ORDER BY GRILLE");
        while (query.executeStep())
            visit(sheetFromCurrentRow(query));
    });
}

void GridFile::appendTempo(const QString& heading)
{
    guarded([&] {
        SQLite::Statement insert(*m_db, "INSERT INTO TEMPO (VERSION) VALUES (?)");
        insert.bind(1, utf8(heading));
        insert.exec();
    });
}

void GridFile::emptyTempo()
{
    guarded([&] { m_db->exec("DELETE FROM TEMPO"); });
}

QStringList GridFile::tempoRows()
{
    return guarded([&] {
        QStringList rows;
        SQLite::Statement query(*m_db, "SELECT VERSION FROM TEMPO");
        while (query.executeStep())
            rows.append(QString::fromUtf8(query.getColumn(0).getText()));
        return rows;
    });
}

void GridFile::close()
{
    m_insert.reset();
    m_db.reset();
    // What the engine may leave beside a database it has closed.
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(m_path + QString::fromLatin1(suffix));
}
