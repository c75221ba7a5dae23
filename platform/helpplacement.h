#pragma once

#include <QRect>

// Where the help window goes: beside what the calling screen must keep in
// view (the big number of the draw, or the whole of a small dialog), in the
// widest free strip of the screen; when no strip is wide enough, on the half
// of the screen away from it.
namespace HelpPlacement {
// What is left beside the big number on the narrowest screen the draw opens on.
inline constexpr int NarrowestStrip = 280;
inline constexpr int WidestHelp = 720;

QRect beside(const QRect& available, const QRect& keepInView);
} // namespace HelpPlacement
