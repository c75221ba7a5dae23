#include "voicechoicefile.h"

#include "clubvoicestore.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString VoiceChoice::pathIn(const QString& voiceFolder)
{
    return voiceFolder.isEmpty() ? QString() : voiceFolder + u"/voix-choisie.txt"_s;
}

VoiceChoice VoiceChoice::read(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const QString line = QString::fromUtf8(file.readLine(256)).trimmed();
    if (line == u"homme")
        return {90, {}};
    if (line.startsWith(u"club "_s) && ClubVoiceStore::nameProblem(line.mid(5)).isEmpty())
        return {0, line.mid(5)};
    return {};
}

QString VoiceChoice::write(const QString& path) const
{
    if (path.isEmpty())
        return {};
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString line = !clubVoice.isEmpty()  ? u"club "_s + clubVoice
                         : builtInOffset == 90 ? u"homme"_s
                                               : u"femme"_s;
    return writeWholeFile(path, (line + u'\n').toUtf8());
}

VoiceChoice& VoiceChoice::inUse()
{
    static VoiceChoice choice;
    return choice;
}
