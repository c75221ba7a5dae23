#pragma once

#include <QColor>
#include <QLabel>

// The bordered, coloured, centred text panels the draw screen is built from.
QLabel* makePanelLabel(QWidget* parent, const QString& name, const QColor& background,
                       const QColor& text, bool bold, bool bordered = true);

// The largest pixel size, up to designPixels, at which two bold digits fit
// the label's width: "88" is never clipped.
void fitTwoDigits(QLabel* label, int designPixels);
