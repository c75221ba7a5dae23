#include "wholefile.h"

#include "platform/errortext.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (info.isSymLink())
        return shown + u"\nC'est un lien : rien n'est écrit à travers lui."_s;
    if (info.isDir())
        return shown + u"\nUn dossier porte ce nom."_s;
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return shown + u"\nLe dossier n'existe pas."_s;
    if (!folder.isWritable())
        return shown + u"\nLe dossier est en lecture seule."_s;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return shown + u"\n"_s + fileErrorText(file);
    return {};
}
