// A stand-in second copy of the program for the single-instance test, in a
// folder of its own: it takes the lock the program takes and prints what the
// program would show.
#include "platform/param.h"
#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(Product::name());
    SingleInstance instance(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (!instance.acquire()) {
        std::fputs(SingleInstance::alreadyRunningText().toUtf8().constData(), stdout);
        return 3;
    }
    std::fputs("LOCKED", stdout);
    return 0;
}
