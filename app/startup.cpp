#include "startup.h"

#include "depart.h"
#include "desktopidentity.h"
#include "grids/gridfolder.h"
#include "platform/atomicfile.h"
#include "platform/clock.h"
#include "platform/desktopshell.h"
#include "platform/helpopener.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "platform/param.h"
#include "platform/printers.h"
#include "platform/randomsource.h"
#include "platform/savedialog.h"
#include "platform/screeninfo.h"
#include "platform/services.h"
#include "platform/singleinstance.h"
#include "platform/soundoutput.h"
#include "printing/defaultprinteroutput.h"
#include "voice/clipplayer.h"
#include "voice/drawvoicechoice.h"
#include "voice/qtaudiooutputs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTranslator>

using namespace Qt::StringLiterals;

void installFrenchTranslation(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::French), u"qtbase"_s, u"_"_s,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

QList<ProtectedPlace> protectedPlaces(const AppGlobals& globals)
{
    const QString grids = GridFolder::path(globals.AppPath);
    QList<ProtectedPlace> places{{grids, true,
                                  u"ce nom mène dans le dossier des fichiers de grilles ("_s +
                                      QDir::toNativeSeparators(grids) +
                                      u"), où rien d'autre ne doit être écrit"_s}};
    if (globals.RecordFile.isEmpty())
        return places;
    const QString refusal = u"ce nom mène au registre des tirages ("_s +
                            QDir::toNativeSeparators(globals.RecordFile) +
                            u"), qui ne doit jamais être remplacé"_s;
    // The database engine keeps part of the record beside it.
    for (const QString& suffix : {QString(), u"-wal"_s, u"-shm"_s, u"-journal"_s})
        places.append({globals.RecordFile + suffix, false, refusal});
    return places;
}

int runNumerella(QApplication& app)
{
    app.setApplicationName(Product::name());
    app.setApplicationVersion(QString::number(Product::Major) + u'.' +
                              QString::number(Product::Minor));
    app.setStyle(QStyleFactory::create(u"Fusion"_s));
    presentToDesktop();
    installFrenchTranslation(app);

    const QString program = QApplication::applicationFilePath();
    AppGlobals globals = AppGlobals::compose(program, QFileInfo(program).lastModified());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    globals.RecordFile = data + u"/tirages.db"_s;
    globals.HallThemeFile = data + u"/theme-salle.txt"_s;
    globals.ProgrammeFolder = data + u"/programmes"_s;
    globals.VoiceFolder = data + u"/voix"_s;
    globals.OrganiserFile = data + u"/organisateur.json"_s;
    Param::setGlobals(globals);
    AtomicFile::protect(protectedPlaces(globals));
    DrawVoiceChoice::restore(globals.VoiceFolder);

    QtMessageBox messages;
    SingleInstance instance(data);
    if (!instance.acquire()) {
        messages.show(nullptr, {MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok, Param::AppTitle(),
                                SingleInstance::alreadyRunningText()});
        return 0;
    }

    QtInputBox input;
    SystemClock clock;
    SeededRandom random = SeededRandom::fromEntropy();
    HelpWindowOpener help(messages, Param::globals().HelpFile);
    QtDesktopShell shell;
    PrimaryScreenInfo screen;
    QtSaveDialog saveDialog;
    SystemPrinters printers;
    DefaultPrinterOutput printer(messages, shell, saveDialog, printers);
    QtAudioOutputs soundOutputs;
    ClipPlayer sound(soundOutputs);
    Services services{messages, input,  clock,   random,     help,
                      shell,    screen, printer, saveDialog, sound};
    HelpKey helpKey(help);
    app.installEventFilter(&helpKey);

    Depart depart(services);
    // Without a window manager "maximised" means nothing; fill the screen ourselves.
    if (const QScreen* display = QGuiApplication::primaryScreen())
        depart.setGeometry(display->availableGeometry());
    depart.showMaximized();
    return QApplication::exec();
}
