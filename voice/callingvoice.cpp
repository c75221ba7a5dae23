#include "callingvoice.h"

#include "clipshaper.h"
#include "clubvoicestore.h"
#include "silencegate.h"
#include "wavclip.h"
#include "wavfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

QString numberRanges(const QList<int>& numbers)
{
    QStringList parts;
    for (qsizetype i = 0; i < numbers.size();) {
        qsizetype j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        parts << (j > i + 1 ? u"%1-%2"_s.arg(numbers[i]).arg(numbers[j])
                            : QString::number(numbers[i]));
        if (j == i + 1)
            parts << QString::number(numbers[j]);
        i = j + 1;
    }
    return parts.join(u", "_s);
}

CallingVoice CallingVoice::builtIn(int offset)
{
    CallingVoice voice;
    voice.m_offset = offset;
    return voice;
}

CallingVoice CallingVoice::club(const ClubVoiceStore& store, const QString& name)
{
    CallingVoice voice;
    voice.m_name = name;
    QList<std::optional<MonoClip>> clips;
    int rate = 0; // the first good clip's: the whole voice is played at it
    for (int n = 1; n <= ClubVoiceStore::Numbers; ++n) {
        const QString path = store.clipPath(name, n);
        const QFileInfo info(path);
        std::optional<MonoClip> clip;
        if (info.isDir())
            voice.m_folders.append(n);
        else if (!info.exists())
            voice.m_absent.append(n);
        else if (!(clip = WavFile::readClip(path)))
            voice.m_damaged.append(n);
        else if (!SilenceGate::speechBounds(*clip)) {
            voice.m_silent.append(n);
            clip.reset();
        }
        if (clip && rate == 0)
            rate = clip->rate;
        clips.append(clip);
    }
    if (rate == 0)
        rate = 22050;
    for (int n = 1; n <= ClubVoiceStore::Numbers; ++n) {
        std::optional<MonoClip> clip = clips[n - 1];
        if (!clip) {
            clip = WavFile::decode(voiceClipImage(n));
            if (clip)
                clip = ClipShaper::peakNormalised(*clip);
        }
        voice.m_clips.append(clip ? WavFile::encode(clip->resampled(rate)) : QByteArray());
    }
    return voice;
}

QByteArray CallingVoice::clip(int number) const
{
    if (number < 1 || number > ClubVoiceStore::Numbers)
        return {};
    return isClub() ? m_clips.value(number - 1) : voiceClipImage(m_offset + number);
}

QList<int> CallingVoice::missing() const
{
    QList<int> all = m_absent + m_damaged + m_silent + m_folders;
    std::sort(all.begin(), all.end());
    return all;
}

QString CallingVoice::report() const
{
    const qsizetype count = missing().size();
    if (!isClub() || count == 0)
        return {};
    QString text = count == ClubVoiceStore::Numbers
                       ? u"Aucun numéro de la voix %1 n'est utilisable : tous seront dits par la "
                         "voix féminine."_s.arg(ofName(m_name))
                   : count == 1 ? u"Il manque 1 numéro à la voix %1 : il sera dit par la voix "
                                  "féminine."_s.arg(ofName(m_name))
                                : u"Il manque %1 numéros à la voix %2 : ils seront dits par la "
                                  "voix féminine."_s.arg(count)
                                      .arg(ofName(m_name));
    text += u'\n';
    const auto line = [&text](const QString& what, const QList<int>& numbers) {
        if (!numbers.isEmpty())
            text += u'\n' + what + u" : "_s + numberRanges(numbers);
    };
    line(u"Pas encore enregistrés"_s, m_absent);
    line(u"Fichiers abîmés"_s, m_damaged);
    line(u"Enregistrements muets"_s, m_silent);
    line(u"Un dossier à la place de l'enregistrement"_s, m_folders);
    return text;
}
