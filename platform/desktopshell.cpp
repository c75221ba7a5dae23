#include "desktopshell.h"

#include <QDesktopServices>
#include <QUrl>

bool QtDesktopShell::open(const QString& target)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
}
