#include "x11indicators.h"

#ifdef NUMERELLA_HAVE_X11
#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {
bool indicator(Display* display, const char* name)
{
    int state = 0;
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0)
        return false;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr))
        return false;
    return state != 0;
}
} // namespace

std::optional<LockIndicators> readX11Indicators()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    return LockIndicators{indicator(display, "Caps Lock"), indicator(display, "Num Lock"),
                          indicator(display, "Scroll Lock")};
}
#else
std::optional<LockIndicators> readX11Indicators()
{
    return std::nullopt;
}
#endif
