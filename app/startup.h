#pragma once

#include <QList>

class QApplication;
struct AppGlobals;
struct ProtectedPlace;

// Everything main() does: the single-instance test, the globals, the main window.
int runNumerella(QApplication& app);

// Qt's own dialogs and buttons speak French.
void installFrenchTranslation(QApplication& app);

// What no file the program writes may replace or land in: the grid files'
// folder and the record.
QList<ProtectedPlace> protectedPlaces(const AppGlobals& globals);
