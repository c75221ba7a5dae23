#pragma once

#include <QString>

// The grid number typed by the operator, formatted like the grid numbers of
// a file ("00000"): a numeric answer is rounded to a whole number (half away
// from zero) and zero-padded to five digits; any other answer stays as typed.
QString formatGridEntry(const QString& answer);

// The entry as messages show it: a very long answer is cut short, so no
// message box grows wider than the screen.
QString entryForMessages(const QString& entry);
