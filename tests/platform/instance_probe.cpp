// A stand-in second copy of the program for the single-instance test: it
// takes the same lock the program takes and prints what the program would show.
#include "platform/param.h"
#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString program = QString::fromLocal8Bit(argv[1]);
    const AppGlobals globals = AppGlobals::compose(program, QFileInfo(program).lastModified());
    SingleInstance instance(globals.AppPath);
    if (!instance.acquire()) {
        std::fputs(SingleInstance::alreadyRunningText().toUtf8().constData(), stdout);
        return 3;
    }
    std::fputs("LOCKED", stdout);
    return 0;
}
