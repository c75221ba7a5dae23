#pragma once

#include <QString>

// A count and its noun, "0 numéro tiré", "1 grille", "3 grilles": French
// keeps the singular for 0 and 1.
QString countText(qsizetype count, const QString& singular, const QString& plural);

// Characters as the user sees them: an emoji or a letter with its accent
// is one, however many code units it takes.
int visibleLength(const QString& text);
