#include "screeninfo.h"

#include <QGuiApplication>
#include <QScreen>

int PrimaryScreenInfo::width() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}
