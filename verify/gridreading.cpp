#include "gridreading.h"

#include "grids/gridfileerror.h"
#include "platform/errortext.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace GridReading {

namespace {
// Deletes its file when it goes, so no scratch file outlives a reading.
class ScratchFile
{
public:
    ScratchFile(const QString& folder, int row)
        : m_path(QDir::toNativeSeparators(folder + u'/' + scratchName(row)))
    {}
    ~ScratchFile() { QFile::remove(m_path); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    void write(const QList<int>& values) const
    {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw ScratchFolderError(cannotWriteText(fileErrorText(file)), fileErrorText(file));
        QByteArray lines;
        for (int value : values)
            lines += QByteArray::number(value) + "\r\n";
        if (file.write(lines) != lines.size() || !file.flush())
            throw ScratchFolderError(cannotWriteText(fileErrorText(file)), fileErrorText(file));
    }

    // Exactly count numbers, one a line, blanks around the digits ignored.
    template <std::size_t Count> std::array<int, Count> read(const QString& entry) const
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            throw ScratchFolderError(cannotWriteText(fileErrorText(file)), fileErrorText(file));
        std::array<int, Count> numbers{};
        for (int& number : numbers) {
            bool ok = false;
            const QByteArray line = file.readLine();
            number = line.trimmed().toInt(&ok);
            if (line.isEmpty() || !ok)
                throw GridFileError(u"La grille "_s + entry +
                                    u" est incomplète dans le fichier de grilles :"
                                    "\nce fichier est endommagé."_s);
        }
        return numbers;
    }

private:
    QString cannotWriteText(const QString& detail) const
    {
        return u"Le fichier de travail "_s + m_path +
               u"\nn'a pas pu être écrit ou relu : la vérification est abandonnée.\n\nDétail : "_s +
               detail;
    }

    QString m_path;
};

QString cellText(int value)
{
    return value == 0 ? QString() : QString::number(value);
}
} // namespace

QString scratchName(int row)
{
    return row == 0 ? u"Verif.dat"_s : u"VerifL%1.dat"_s.arg(row);
}

WholeGrid readWholeGrid(const QString& folder, const Grid& grid, const QString& entry)
{
    WholeGrid reading;
    QList<int> values;
    for (int c = 1; c <= Grid::Columns; ++c) {
        for (int r = 1; r <= Grid::Rows; ++r) {
            if (const int value = grid.at(r, c)) {
                reading.cellTexts[std::size_t(Grid::index(r, c))] = cellText(value);
                values.append(value);
            }
        }
    }
    const ScratchFile scratch(folder, 0);
    scratch.write(values);
    reading.gridNumbers = scratch.read<15>(entry);
    return reading;
}

Lines readLines(const QString& folder, const Grid& grid, const QString& entry)
{
    Lines reading;
    // All three files are written before the first is read.
    const ScratchFile rows[3] = {{folder, 1}, {folder, 2}, {folder, 3}};
    for (int r = 1; r <= Grid::Rows; ++r) {
        QList<int> values;
        for (int c = 1; c <= Grid::Columns; ++c) {
            if (const int value = grid.at(r, c)) {
                reading.cellTexts[std::size_t(Grid::index(r, c))] = cellText(value);
                values.append(value);
            }
        }
        rows[r - 1].write(values);
    }
    for (int r = 1; r <= Grid::Rows; ++r)
        reading.lineNumbers[std::size_t(r - 1)] = rows[r - 1].read<5>(entry);
    return reading;
}

} // namespace GridReading
