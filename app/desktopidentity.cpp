#include "desktopidentity.h"

#include "platform/svgpicture.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

void presentToDesktop()
{
    // Named after the installed menu entry, without its ".desktop".
    QGuiApplication::setDesktopFileName(u"org.numerella.Numerella"_s);
    // Drawn here rather than left to Qt's SVG icon plug-in, which a machine
    // may lack; the sizes are those window lists and task switchers ask for.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(svgPicture(u":/data/desktop/org.numerella.Numerella.svg"_s, {size, size}));
    QApplication::setWindowIcon(icon);
}
