#pragma once

// Tells the desktop which program this is: the icon of its windows, and the
// menu entry they belong to, so a dock or a task bar shows them under that
// entry rather than as an unknown program.
void presentToDesktop();
