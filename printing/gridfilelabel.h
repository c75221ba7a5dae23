#pragma once

#include <QString>

#include <optional>

struct GridFileName;

// The printing screen's text for a grid file:
// "Impression de N grilles pour le tirage du DD-MM-YYYY".
namespace GridFileLabel {
QString of(const GridFileName& name);
// The grid file a label names, by the count before "grilles " and the last
// ten characters; nullopt for a text that does not name a grid file.
std::optional<QString> fileName(const QString& label);
QString dateOf(const QString& label); // its last ten characters
} // namespace GridFileLabel
