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
    if (cause.isEmpty())
        return {};
    // Said as a sentence, as the other causes above.
    QString sentence = cause == u"disque plein" ? u"Le disque est plein"_s : cause;
    sentence[0] = sentence[0].toUpper();
    return shown + u"\n"_s + sentence + u'.';
}
