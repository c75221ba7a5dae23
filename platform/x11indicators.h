#pragma once

#include <optional>

struct LockIndicators
{
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The keyboard LEDs as the X server knows them; nullopt without an X display.
std::optional<LockIndicators> readX11Indicators();
