#pragma once

class QApplication;

// Everything main() does: the single-instance test, the globals, the main window.
int runNumerella(QApplication& app);

// Qt's own dialogs and buttons speak French.
void installFrenchTranslation(QApplication& app);
