#include "errortext.h"

#include <QFileDevice>

#include <sqlite3.h>

#include <cerrno>

using namespace Qt::StringLiterals;

QString systemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return u"le disque est plein"_s;
    case EDQUOT:
        return u"votre quota de disque est atteint"_s;
    case EACCES:
    case EPERM:
        return u"accès refusé"_s;
    case EROFS:
        return u"le disque est en lecture seule"_s;
    case ENOENT:
        return u"fichier ou dossier introuvable"_s;
    case EEXIST:
        return u"un fichier de ce nom existe déjà"_s;
    case EISDIR:
        return u"c'est un dossier"_s;
    case ENOTDIR:
        return u"un élément du chemin n'est pas un dossier"_s;
    case EIO:
        return u"erreur de lecture ou d'écriture sur le disque"_s;
    case EBUSY:
        return u"le fichier est occupé"_s;
    case EXDEV:
        return u"le fichier ne peut pas passer d'un disque à l'autre"_s;
    case ENAMETOOLONG:
        return u"le nom est trop long"_s;
    case EMFILE:
    case ENFILE:
        return u"trop de fichiers ouverts"_s;
    default:
        return u"erreur du système n° %1"_s.arg(errorNumber);
    }
}

QString fileErrorText(const QFileDevice& file)
{
    switch (file.error()) {
    case QFileDevice::NoError:
        return u"aucune erreur signalée"_s;
    case QFileDevice::ReadError:
        return u"erreur de lecture"_s;
    case QFileDevice::WriteError:
        return u"erreur d'écriture (le disque est peut-être plein)"_s;
    case QFileDevice::ResourceError:
        return u"plus de place ou de ressources (le disque est peut-être plein)"_s;
    case QFileDevice::OpenError:
        return u"le fichier ne peut pas être ouvert (droits, dossier absent ou plein ?)"_s;
    case QFileDevice::PermissionsError:
        return u"accès refusé"_s;
    case QFileDevice::RemoveError:
        return u"le fichier ne peut pas être supprimé (droits, fichier en cours d'emploi ?)"_s;
    case QFileDevice::RenameError:
        return u"le fichier ne peut pas être renommé"_s;
    case QFileDevice::CopyError:
        return u"la copie a échoué"_s;
    case QFileDevice::ResizeError:
    case QFileDevice::PositionError:
    case QFileDevice::FatalError:
    case QFileDevice::AbortError:
    case QFileDevice::TimeOutError:
    case QFileDevice::UnspecifiedError:
        break;
    }
    return u"erreur du système de fichiers"_s;
}

QString sqliteErrorText(int resultCode)
{
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
        return u"le disque est plein"_s;
    case SQLITE_READONLY:
        return u"le fichier ou son dossier ne peut pas être modifié"_s;
    case SQLITE_IOERR:
        return u"erreur de lecture ou d'écriture sur le disque"_s;
    case SQLITE_CANTOPEN:
        return u"le fichier ne peut pas être ouvert"_s;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return u"accès refusé"_s;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return u"le fichier est endommagé"_s;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"le fichier est utilisé par un autre programme"_s;
    case SQLITE_NOMEM:
        return u"la mémoire manque"_s;
    default:
        return u"erreur de la base de données n° %1"_s.arg(resultCode);
    }
}
