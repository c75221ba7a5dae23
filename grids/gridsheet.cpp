#include "gridsheet.h"

using namespace Qt::StringLiterals;

QString gridNumberText(int number)
{
    return QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}

QString gridFault(const Grid& grid)
{
    for (int r = 1; r <= Grid::Rows; ++r) {
        int inRow = 0;
        for (int c = 1; c <= Grid::Columns; ++c) {
            const int n = grid.at(r, c);
            if (n == 0)
                continue;
            ++inRow;
            const int low = c == 1 ? 1 : 10 * (c - 1);
            const int high = c == 9 ? 90 : 10 * c - 1;
            if (n < low || n > high)
                return u"porte une valeur qu'aucune carte ne peut porter en colonne %1."_s.arg(c);
            for (int above = 1; above < r; ++above)
                if (grid.at(above, c) == n)
                    return u"porte deux fois le numéro %1."_s.arg(n);
        }
        if (inRow != 5)
            return u"a %1 numéros sur sa ligne %2 au lieu de 5."_s.arg(inRow).arg(r);
    }
    return {};
}
