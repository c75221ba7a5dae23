#include "wholefile.h"

#include "platform/atomicfile.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (info.isDir() && !info.isSymLink())
        return shown + u"\nUn dossier porte ce nom."_s;
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return shown + u"\nLe dossier n'existe pas."_s;
    if (!folder.isWritable())
        return shown + u"\nLe dossier est en lecture seule."_s;
    // A link of that name is replaced by the clip, never written through.
    const QString cause = AtomicFile::save(path, bytes);
    return cause.isEmpty() ? QString() : shown + u"\n"_s + cause;
}
