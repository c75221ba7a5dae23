#pragma once

#include "gridsheet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace SQLite {
class Database;
class Statement;
} // namespace SQLite
struct sqlite3_stmt;

// One grid file: a small SQLite database holding table TIRAGE (one row per
// sheet of four grids) and table TEMPO (a report heading while printing).
// Every failure is thrown as a GridFileError carrying a French message.
class GridFile
{
public:
    enum class Access { ReadOnly, ReadWrite };
    static constexpr int ApplicationId = 0x4E6D526C; // "NmRl", set by the template

    struct Location
    {
        int grille = 0; // key of the sheet holding the grid
        int slot = 0;   // 1..4, the grid's place on the sheet
    };

    // Opens a grid file; a file that is not one is refused.
    GridFile(const QString& path, Access access);
    ~GridFile();
    GridFile(const GridFile&) = delete;
    GridFile& operator=(const GridFile&) = delete;

    const QString& path() const { return m_path; }

    // Trades the engine's crash safety for speed, for a file that is built
    // under a scratch name and only renamed once complete.
    void setScratchWrites();
    void runInTransaction(const std::function<void()>& work);
    void appendSheet(const GridSheet& sheet);

    // The sheet whose NUMk holds the text, searched in NUM1 to NUM4 order;
    // when several match, the last one wins.
    std::optional<Location> findGrid(const QString& numberText);
    std::optional<GridSheet> readSheet(int grille);
    int sheetCount();
    // Reads the whole file and throws the damaged-file message unless it holds
    // exactly the sheets 1, 5, 9... of gridCount grids, each numbered as it
    // should be and every grid sound. Returns the grids' fingerprint; each
    // grid read is also handed to keep, when given.
    QString checkWhole(int gridCount,
                       const std::function<void(int number, const Grid& grid)>& keep = {});
    // Every sheet in GRILLE order, numerically.
    void forEachSheet(const std::function<void(const GridSheet&)>& visit);

    // The secret the cards' control codes are made under (table
    // CODE_CONTROLE, which readers of TIRAGE and TEMPO never see); none for a
    // file made before cards carried a code.
    std::optional<QByteArray> cardSecret();
    // The file's secret, made and stored first when it has none. Needs a file
    // opened for writing.
    QByteArray ensureCardSecret();

    void appendTempo(const QString& heading);
    void emptyTempo();
    QStringList tempoRows();

    // Closes the database and removes what the engine may leave beside it.
    void close();

private:
    void recoverInterruptedWrite() const;
    bool hasEveryColumn() const;
    GridSheet sheetFromCurrentRow(SQLite::Statement& query) const;
    template <typename Work> auto guarded(Work&& work) -> decltype(work());

    QString m_path;
    std::unique_ptr<SQLite::Database> m_db;
    struct Finalizer
    {
        void operator()(sqlite3_stmt* statement) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> m_insert;
};

// The French message for a database failure on a file.
QString databaseFailureText(const QString& path, const QString& detail);
// The French message for a file that is no grid file, or a damaged one.
QString notAGridFileText(const QString& path, const QString& detail = QString());
