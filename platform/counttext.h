#pragma once

#include <QString>

// A count and its noun, "0 numéro tiré", "1 grille", "3 grilles": French
// keeps the singular for 0 and 1.
QString countText(qsizetype count, const QString& singular, const QString& plural);
