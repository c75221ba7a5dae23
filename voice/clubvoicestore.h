#pragma once

#include "monoclip.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The club's voices in the user's data folder: one folder per voice, named
// after it, holding 01.wav to 90.wav. An empty folder path keeps none.
class ClubVoiceStore
{
public:
    static constexpr int Numbers = 90;
    static constexpr int MaxNameLength = 40;

    explicit ClubVoiceStore(QString folder);

    const QString& folder() const { return m_folder; }
    QStringList voices() const;
    bool contains(const QString& name) const;
    // The voice kept under a name equal to this one but for case and accents.
    QString sameName(const QString& name) const;
    QString voiceFolder(const QString& name) const;
    QString clipPath(const QString& name, int number) const;
    // Whether the number's clip is a WAV file that can be read; a damaged
    // one, or a folder in its place, counts as missing.
    bool hasClip(const QString& name, int number) const;
    QList<int> recorded(const QString& name) const;
    // The numbers whose file is there but cannot be read as a clip.
    QList<int> damaged(const QString& name) const;
    int firstMissing(const QString& name) const; // 0 when all 90 are there

    // Each returns the refusal in French, or nothing when done.
    static QString nameProblem(const QString& name);
    QString create(const QString& name) const;
    QString rename(const QString& from, const QString& to) const;
    QString remove(const QString& name) const;
    QString saveClip(const QString& name, int number, const MonoClip& clip) const;

private:
    QString m_folder;
    // Each clip as last read: the window counts them at every refresh, and
    // reading 90 files each time would slow the recording down.
    struct ClipSeen
    {
        qint64 size = -1;
        QDateTime modified;
        bool playable = false;
    };
    mutable QHash<QString, ClipSeen> m_seen;
};

// "de Martine", "d'Anne", "d'Émile": the name after "la voix".
QString ofName(const QString& name);
// "Voix de Martine", as a voice is named on the screens.
QString voiceTitle(const QString& name);
