#include "gridfile.h"

#include "cardcode.h"

#include "gridfileerror.h"

#include "platform/errortext.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <set>

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

bool isDamaged(const SQLite::Exception& e)
{
    return e.getErrorCode() == SQLITE_CORRUPT || e.getErrorCode() == SQLITE_NOTADB;
}

QString recoveryText(const QString& path, const QString& detail)
{
    return u"Le fichier de grilles "_s + QDir::toNativeSeparators(path) +
           u"\na été interrompu pendant une écriture (arrêt brutal ou coupure de courant) "
           "et doit être remis en état,\nmais il ne peut pas être modifié ici.\n\n"
           "Donnez le droit d'écrire dans son dossier, puis recommencez.\n\nDétail : "_s +
           detail;
}

// Every column a grid file's TIRAGE holds, in the order the readers expect.
std::string sheetColumnList()
{
    std::string columns = "GRILLE, NUM1, NUM2, NUM3, NUM4";
    for (int n = 1; n <= GridSheet::Cells; ++n)
        columns += ", NUMERO" + std::to_string(n);
    return columns;
}

// A cell as the grid rules see it: empty (null or 0), a whole number, or
// something no card holds (text, a fraction), which the checks refuse.
int cellValue(const SQLite::Column& cell)
{
    switch (cell.getType()) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return int(std::clamp<long long>(cell.getInt64(), -1, 1000));
    case SQLITE_FLOAT: {
        const double value = cell.getDouble();
        return value == std::floor(value) ? int(std::clamp(value, -1.0, 1000.0)) : -1;
    }
    default:
        return -1;
    }
}

std::string insertStatement()
{
    std::string values = "?";
    for (int n = 1; n < 5 + GridSheet::Cells; ++n)
        values += ", ?";
    return "INSERT INTO TIRAGE (" + sheetColumnList() + ") VALUES (" + values + ")";
}

// Binds text as UTF-8 for the engine to copy. A grid number is a few ASCII
// digits, spelled on the stack rather than through the heap.
int bindText(sqlite3_stmt* statement, int index, const QString& text)
{
    std::array<char, 16> ascii;
    const auto isAscii = [](QChar c) {
        return c.unicode() < 0x80;
    };
    if (text.size() <= qsizetype(ascii.size()) && std::all_of(text.begin(), text.end(), isAscii)) {
        std::transform(text.begin(), text.end(), ascii.begin(),
                       [](QChar c) { return char(c.unicode()); });
        return sqlite3_bind_text(statement, index, ascii.data(), int(text.size()),
                                 SQLITE_TRANSIENT);
    }
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()),
                             SQLITE_TRANSIENT);
}

constexpr int BusyTimeoutMs = 1000;

// Columns are named: a file whose table lists them in another order reads the same.
const std::string SheetColumns = "SELECT " + sheetColumnList() + " FROM TIRAGE";
} // namespace

QString notAGridFileText(const QString& path, const QString& detail)
{
    QString text = u"Le fichier "_s + QDir::toNativeSeparators(path) +
                   u"\nn'est pas un fichier de grilles de Numerella, ou il est endommagé."_s;
    if (!detail.isEmpty())
        text += u"\n\nDétail : "_s + detail;
    return text;
}

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
        const QString detail = sqliteErrorText(e.getErrorCode());
        if (isBusy(e))
            throw GridFileError(busyText(m_path), detail);
        if (isDamaged(e))
            throw GridFileError(notAGridFileText(m_path), detail);
        throw GridFileError(databaseFailureText(m_path, detail), detail);
    }
}

GridFile::GridFile(const QString& path, Access access) : m_path(path)
{
    if (!QFileInfo(path).isFile())
        throw GridFileError(u"Le fichier de grilles "_s + QDir::toNativeSeparators(path) +
                            u" est introuvable."_s);
    // The engine would only say it cannot open it, which reads as damage.
    if (!QFileInfo(path).isReadable())
        throw GridFileError(u"Le fichier de grilles "_s + QDir::toNativeSeparators(path) +
                                u"\nne peut pas être lu : vous n'avez pas le droit de le lire."_s,
                            systemErrorText(EACCES));
    if (access == Access::ReadOnly)
        recoverInterruptedWrite();
    try {
        // A GridFile is only ever used by one thread at a time: the engine
        // need not lock the connection on every call.
        const int flags =
            (access == Access::ReadOnly ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE) |
            SQLite::OPEN_NOMUTEX;
        // Another program may hold the file a moment; wait for it a little.
        m_db = std::make_unique<SQLite::Database>(utf8(path), flags, BusyTimeoutMs);
        const int id = m_db->execAndGet("PRAGMA application_id").getInt();
        if (id != ApplicationId || !hasEveryColumn())
            throw GridFileError(notAGridFileText(path));
    } catch (const SQLite::Exception& e) {
        throw GridFileError(isBusy(e) ? busyText(path) : notAGridFileText(path));
    }
}

void GridFile::recoverInterruptedWrite() const
{
    // A print or a generation cut off by a crash leaves a rollback journal
    // beside the file. A read-only connection cannot play it back, so the
    // first reader opens the file for writing once and lets the engine do it.
    if (QFileInfo(m_path + u"-journal"_s).size() <= 0)
        return;
    try {
        SQLite::Database db(utf8(m_path), SQLite::OPEN_READWRITE, BusyTimeoutMs);
        db.execAndGet("SELECT COUNT(*) FROM sqlite_master");
    } catch (const SQLite::Exception& e) {
        if (isBusy(e))
            throw GridFileError(busyText(m_path));
        if (isDamaged(e))
            throw GridFileError(notAGridFileText(m_path));
        throw GridFileError(recoveryText(m_path, sqliteErrorText(e.getErrorCode())));
    }
}

bool GridFile::hasEveryColumn() const
{
    const auto columnsOf = [this](const char* table) {
        std::set<std::string> names;
        SQLite::Statement query(*m_db, std::string("PRAGMA table_info(") + table + ")");
        while (query.executeStep())
            names.insert(query.getColumn(1).getString());
        return names;
    };
    const std::set<std::string> tirage = columnsOf("TIRAGE");
    for (const char* name : {"GRILLE", "NUM1", "NUM2", "NUM3", "NUM4"})
        if (!tirage.count(name))
            return false;
    for (int n = 1; n <= GridSheet::Cells; ++n)
        if (!tirage.count("NUMERO" + std::to_string(n)))
            return false;
    return columnsOf("TEMPO").count("VERSION") == 1;
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

void GridFile::Finalizer::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

void GridFile::appendSheet(const GridSheet& sheet)
{
    // A grid file is written ten thousand grids at a time: the engine is
    // called directly, without a wrapper's checks around each of the 113 values.
    guarded([&] {
        sqlite3* db = m_db->getHandle();
        const auto check = [db](int code, int expected = SQLITE_OK) {
            if (code != expected)
                throw SQLite::Exception(db, code);
        };
        if (!m_insert) {
            sqlite3_stmt* prepared = nullptr;
            check(sqlite3_prepare_v2(db, insertStatement().c_str(), -1, &prepared, nullptr));
            m_insert.reset(prepared);
        }
        sqlite3_stmt* insert = m_insert.get();
        sqlite3_reset(insert);
        sqlite3_clear_bindings(insert); // empty cells stay null
        check(sqlite3_bind_int(insert, 1, sheet.grille));
        for (int k = 0; k < GridSheet::Grids; ++k)
            check(bindText(insert, 2 + k, sheet.numbers[static_cast<std::size_t>(k)]));
        for (int k = 0; k < GridSheet::Grids; ++k) {
            const Grid& grid = sheet.grids[static_cast<std::size_t>(k)];
            for (int i = 0; i < Grid::Cells; ++i) {
                const int value = grid.cells[static_cast<std::size_t>(i)];
                if (value != 0)
                    check(sqlite3_bind_int(insert, 6 + 27 * k + i, value));
            }
        }
        check(sqlite3_step(insert), SQLITE_DONE);
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
    for (int n = 1; n <= GridSheet::Cells; ++n) {
        const int k = (n - 1) / Grid::Cells;
        const int i = (n - 1) % Grid::Cells;
        sheet.grids[static_cast<std::size_t>(k)].cells[static_cast<std::size_t>(i)] =
            cellValue(query.getColumn(4 + n));
    }
    return sheet;
}

std::optional<GridSheet> GridFile::readSheet(int grille)
{
    return guarded([&]() -> std::optional<GridSheet> {
        SQLite::Statement query(*m_db, SheetColumns + " WHERE GRILLE = ?");
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
        SQLite::Statement query(*m_db, SheetColumns + " ORDER BY GRILLE");
        while (query.executeStep())
            visit(sheetFromCurrentRow(query));
    });
}

QString GridFile::checkWhole(int gridCount,
                             const std::function<void(int number, const Grid& grid)>& keep)
{
    QCryptographicHash fingerprint(QCryptographicHash::Sha256);
    const auto damaged = [this](const QString& detail) {
        throw GridFileError(notAGridFileText(m_path, detail));
    };
    if (gridCount % GridSheet::Grids != 0)
        damaged(u"son nom annonce %1 grilles, qui ne font pas des feuilles de quatre."_s.arg(
            gridCount));
    int expected = 1;
    forEachSheet([&](const GridSheet& sheet) {
        if (sheet.grille != expected)
            damaged(expected > gridCount
                        ? u"il contient plus de grilles que son nom n'en annonce."_s
                        : u"la feuille de la grille %1 manque."_s.arg(gridNumberText(expected)));
        for (int k = 0; k < GridSheet::Grids; ++k) {
            const QString number = gridNumberText(expected + k);
            if (sheet.numbers[std::size_t(k)] != number)
                damaged(u"la grille %1 est mal numérotée."_s.arg(number));
            const Grid& grid = sheet.grids[std::size_t(k)];
            const QString fault = gridFault(grid);
            if (!fault.isEmpty())
                damaged(u"la grille "_s + number + u' ' + fault);
            // The grids as the players hold them: numbers and cells, never
            // the heading a print writes into the same file.
            fingerprint.addData(number.toLatin1());
            for (int cell : grid.cells)
                fingerprint.addData(QByteArray::number(cell) + ',');
            if (keep)
                keep(expected + k, grid);
        }
        expected += GridSheet::Grids;
    });
    if (expected <= gridCount)
        damaged(u"la feuille de la grille %1 manque."_s.arg(gridNumberText(expected)));
    return QString::fromLatin1(fingerprint.result().toHex());
}

std::optional<QByteArray> GridFile::cardSecret()
{
    return guarded([&]() -> std::optional<QByteArray> {
        if (!m_db->tableExists("CODE_CONTROLE"))
            return std::nullopt;
        SQLite::Statement query(*m_db, "SELECT SECRET FROM CODE_CONTROLE LIMIT 1");
        if (!query.executeStep())
            return std::nullopt;
        const SQLite::Column column = query.getColumn(0);
        if (!column.isBlob() || column.getBytes() < CardCode::SecretBytes)
            return std::nullopt;
        return QByteArray(static_cast<const char*>(column.getBlob()), column.getBytes());
    });
}

QByteArray GridFile::ensureCardSecret()
{
    if (const auto secret = cardSecret())
        return *secret;
    const QByteArray secret = CardCode::newSecret();
    guarded([&] {
        SQLite::Transaction transaction(*m_db);
        m_db->exec("CREATE TABLE IF NOT EXISTS CODE_CONTROLE (SECRET BLOB NOT NULL)");
        m_db->exec("DELETE FROM CODE_CONTROLE");
        SQLite::Statement insert(*m_db, "INSERT INTO CODE_CONTROLE (SECRET) VALUES (?)");
        insert.bind(1, secret.constData(), int(secret.size()));
        insert.exec();
        transaction.commit();
    });
    return secret;
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
    // The engine removes its journal itself when the file closes cleanly;
    // a journal still there holds what undoes an interrupted write, and
    // deleting it would damage the file for good.
    m_insert.reset();
    m_db.reset();
}
