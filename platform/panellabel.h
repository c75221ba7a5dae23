#pragma once

#include <QColor>
#include <QLabel>

// The bordered, coloured, centred text panels the draw screen is built from.
QLabel* makePanelLabel(QWidget* parent, const QString& name, const QColor& background,
                       const QColor& text, bool bold, bool bordered = true);
