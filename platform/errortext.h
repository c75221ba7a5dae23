#pragma once

#include <QString>

class QFileDevice;

// What the system or the database said, in the organiser's French: the
// "Détail" of a message. The engines' own texts are English.
QString systemErrorText(int errorNumber);
QString fileErrorText(const QFileDevice& file);
QString sqliteErrorText(int resultCode);
