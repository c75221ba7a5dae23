#include "clubvoicestore.h"

#include "wavfile.h"
#include "wholefile.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// "Mârtine" and "martine" are the same caller as "Martine".
QString folded(const QString& name)
{
    QString out;
    for (QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    }
    return out.toCaseFolded();
}
} // namespace

QString ofName(const QString& name)
{
    // The h taken as mute, as in most first names (Hélène, Hugo).
    const QString first = name.left(1).normalized(QString::NormalizationForm_D).left(1).toLower();
    return (!first.isEmpty() && u"aeiouyh"_s.contains(first) ? u"d'"_s : u"de "_s) + name;
}

QString voiceTitle(const QString& name)
{
    return u"Voix "_s + ofName(name);
}

ClubVoiceStore::ClubVoiceStore(QString folder) : m_folder(std::move(folder)) {}

QStringList ClubVoiceStore::voices() const
{
    if (m_folder.isEmpty())
        return {};
    QStringList names =
        QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    names.removeIf([](const QString& n) { return !nameProblem(n).isEmpty(); });
    QCollator french{QLocale(QLocale::French)};
    std::sort(names.begin(), names.end(), french);
    return names;
}

bool ClubVoiceStore::contains(const QString& name) const
{
    return !m_folder.isEmpty() && nameProblem(name).isEmpty() &&
           QFileInfo(voiceFolder(name)).isDir();
}

QString ClubVoiceStore::voiceFolder(const QString& name) const
{
    return m_folder + u'/' + name;
}

QString ClubVoiceStore::clipPath(const QString& name, int number) const
{
    return voiceFolder(name) + u'/' + u"%1.wav"_s.arg(number, 2, 10, QChar(u'0'));
}

QString ClubVoiceStore::sameName(const QString& name) const
{
    const QStringList all = voices();
    const auto found = std::find_if(
        all.begin(), all.end(), [&name](const QString& v) { return folded(v) == folded(name); });
    return found == all.end() ? QString() : *found;
}

bool ClubVoiceStore::hasClip(const QString& name, int number) const
{
    const QString path = clipPath(name, number);
    const QFileInfo file(path);
    if (!file.isFile()) {
        m_seen.remove(path);
        return false;
    }
    // A clip rewritten is written whole under another name and renamed:
    // its size or its time changes.
    const ClipSeen now{file.size(), file.lastModified(), false};
    if (const auto seen = m_seen.constFind(path);
        seen != m_seen.cend() && seen->size == now.size && seen->modified == now.modified)
        return seen->playable;
    ClipSeen read = now;
    read.playable = WavFile::readClip(path).has_value();
    m_seen.insert(path, read);
    return read.playable;
}

QList<int> ClubVoiceStore::recorded(const QString& name) const
{
    QList<int> numbers;
    for (int n = 1; n <= Numbers; ++n) {
        if (hasClip(name, n))
            numbers.append(n);
    }
    return numbers;
}

QList<int> ClubVoiceStore::damaged(const QString& name) const
{
    QList<int> numbers;
    for (int n = 1; n <= Numbers; ++n) {
        if (QFileInfo(clipPath(name, n)).isFile() && !hasClip(name, n))
            numbers.append(n);
    }
    return numbers;
}

int ClubVoiceStore::firstMissing(const QString& name) const
{
    for (int n = 1; n <= Numbers; ++n) {
        if (!hasClip(name, n))
            return n;
    }
    return 0;
}

QString ClubVoiceStore::nameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return u"Donnez un nom à la voix (par exemple Martine)."_s;
    if (name != name.trimmed())
        return u"Le nom de la voix ne peut pas commencer ni finir par une espace."_s;
    if (name.size() > MaxNameLength)
        return u"Le nom de la voix ne peut pas dépasser %1 caractères."_s.arg(MaxNameLength);
    const QString forbidden = u"/\\:*?\"<>|"_s;
    const bool badCharacter = std::any_of(name.begin(), name.end(), [&forbidden](QChar c) {
        return c.category() == QChar::Other_Control || forbidden.contains(c);
    });
    if (badCharacter || name.startsWith(u'.'))
        return u"Le nom de la voix ne peut contenir ni / \\ : * ? \" < > | ni commencer par un "
               "point."_s;
    return {};
}

QString ClubVoiceStore::create(const QString& name) const
{
    if (const QString problem = nameProblem(name); !problem.isEmpty())
        return problem;
    const QString folder = voiceFolder(name);
    if (QFileInfo(folder).isDir())
        return QFileInfo(folder).isWritable()
                   ? QString()
                   : shown(folder) + u"\nLe dossier est en lecture seule."_s;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink())
        return shown(folder) + u"\nUn fichier porte déjà ce nom."_s;
    if (!QDir().mkpath(folder))
        return shown(folder) +
               u"\nLe dossier ne peut pas être créé (dossier en lecture seule ou disque plein ?)."_s;
    return {};
}

QString ClubVoiceStore::rename(const QString& from, const QString& to) const
{
    if (const QString problem = nameProblem(to); !problem.isEmpty())
        return problem;
    if (from == to)
        return {};
    // Two names differing only by case are one folder on some disks.
    const QString like = sameName(to);
    if ((QFileInfo::exists(voiceFolder(to)) || !like.isEmpty()) && like != from &&
        from.compare(to, Qt::CaseInsensitive) != 0)
        return u"Une voix s'appelle déjà « %1 »."_s.arg(like.isEmpty() ? to : like);
    if (!QDir().rename(voiceFolder(from), voiceFolder(to)))
        return u"La voix %1 ne peut pas être renommée (dossier en lecture seule ?).\n\n"_s.arg(
                   ofName(from)) +
               shown(voiceFolder(from));
    return {};
}

QString ClubVoiceStore::remove(const QString& name) const
{
    if (!contains(name))
        return {};
    const QString folder = voiceFolder(name);
    const qsizetype before = recorded(name).size();
    if (QDir(folder).removeRecursively())
        return {};
    const QString cause = !QFileInfo(folder).isWritable() ? u"son dossier est en lecture seule"_s
                          : !QFileInfo(m_folder).isWritable()
                              ? u"le dossier des voix est en lecture seule"_s
                              : u"un de ses fichiers ne peut pas être effacé"_s;
    const qsizetype left = recorded(name).size();
    const QString what =
        left == before
            ? u"La voix %1 n'a pas pu être supprimée : %2."_s.arg(ofName(name), cause)
            : u"La voix %1 n'est supprimée qu'en partie : %2. Enregistrements restés dans le "
              "dossier : %3 sur %4."_s.arg(ofName(name), cause)
                  .arg(left)
                  .arg(before);
    return what + u"\n\n"_s + shown(folder);
}

QString ClubVoiceStore::saveClip(const QString& name, int number, const MonoClip& clip) const
{
    if (const QString problem = create(name); !problem.isEmpty())
        return problem;
    return writeWholeFile(clipPath(name, number), WavFile::encode(clip));
}
