#include "recordingsession.h"

#include "clipshaper.h"
#include "platform/audioinput.h"
#include "platform/soundoutput.h"
#include "wavfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

RecordingSession::RecordingSession(const ClubVoiceStore& store, AudioInput& input,
                                   SoundOutput& sound, QObject* parent)
    : QObject(parent), m_store(store), m_input(input), m_sound(sound), m_recorder(input)
{
    connect(&m_recorder, &ClipRecorder::level, this, &RecordingSession::level);
    connect(&m_recorder, &ClipRecorder::finished, this, &RecordingSession::taken);
}

void RecordingSession::open(const QString& name)
{
    m_recorder.cancel();
    m_voice = name;
    const int first = m_store.firstMissing(name);
    m_number = first == 0 ? 1 : first;
    m_state = State::Ready;
    refreshMicrophone();
    emit changed();
}

void RecordingSession::close()
{
    m_recorder.cancel();
    m_voice.clear();
    setState(State::NoVoice);
}

bool RecordingSession::hasClip(int number) const
{
    return !m_voice.isEmpty() && m_store.hasClip(m_voice, number);
}

int RecordingSession::recordedCount() const
{
    return m_voice.isEmpty() ? 0 : int(m_store.recorded(m_voice).size());
}

QList<int> RecordingSession::damagedClips() const
{
    return m_voice.isEmpty() ? QList<int>() : m_store.damaged(m_voice);
}

void RecordingSession::refreshMicrophone()
{
    if (m_state == State::NoVoice || m_state == State::Recording)
        return;
    const bool heard = !m_input.deviceName().isEmpty();
    if (!heard)
        setState(State::NoMicrophone);
    else if (m_state == State::NoMicrophone)
        setState(State::Ready);
}

void RecordingSession::record()
{
    if (m_voice.isEmpty() || m_state == State::Recording)
        return;
    refreshMicrophone();
    if (m_state == State::NoMicrophone)
        return;
    // Refused before a word is said, rather than after.
    if (const QString refusal = m_store.create(m_voice); !refusal.isEmpty()) {
        emit problem(u"L'enregistrement est refusé : le dossier de la voix ne peut pas être "
                     "écrit.\n\n"_s +
                     refusal);
        return;
    }
    setState(m_recorder.start() ? State::Recording : State::NoMicrophone);
}

void RecordingSession::taken(ClipRecorder::Outcome outcome, const MonoClip& take)
{
    if (outcome == ClipRecorder::Outcome::Lost) {
        setState(m_input.deviceName().isEmpty() ? State::NoMicrophone : State::Ready);
        emit problem(u"Le microphone s'est arrêté pendant l'enregistrement du %1 (débranché ?) : "
                     "rien n'a été gardé de cet essai.\n\nRebranchez-le, puis appuyez de nouveau "
                     "sur Espace."_s.arg(m_number));
        return;
    }
    const std::optional<MonoClip> clip =
        outcome == ClipRecorder::Outcome::Spoken ? ClipShaper::shape(take, ClipRate) : std::nullopt;
    if (!clip) {
        setState(State::Silent);
        return;
    }
    if (const QString refusal = m_store.saveClip(m_voice, m_number, *clip); !refusal.isEmpty()) {
        setState(State::Ready);
        emit problem(u"Le numéro %1 n'a pas pu être enregistré ; l'enregistrement précédent, s'il "
                     "y en a un, est intact.\n\n"_s.arg(m_number) +
                     refusal);
        return;
    }
    m_lastSeconds = clip->seconds();
    setState(State::Saved);
    m_sound.playImage(WavFile::encode(*clip));
}

void RecordingSession::next()
{
    moveTo(m_number % ClubVoiceStore::Numbers + 1);
}

void RecordingSession::previous()
{
    moveTo(m_number == 1 ? ClubVoiceStore::Numbers : m_number - 1);
}

void RecordingSession::moveTo(int number)
{
    if (m_voice.isEmpty())
        return;
    m_recorder.cancel();
    m_number = number;
    m_state = State::Ready;
    refreshMicrophone();
    emit changed();
}

void RecordingSession::listen()
{
    if (!hasClip(m_number) || m_state == State::Recording)
        return;
    const QString path = m_store.clipPath(m_voice, m_number);
    QFile file(path);
    QString why = u"il ne peut pas être ouvert"_s;
    std::optional<MonoClip> clip;
    if (file.open(QIODevice::ReadOnly))
        clip = WavFile::decode(file.read(4 * 1024 * 1024), &why);
    if (!clip) {
        emit problem(u"L'enregistrement du %1 ne peut pas être écouté : %2.\n%3\n\nAppuyez sur "
                     "Espace pour l'enregistrer de nouveau."_s.arg(m_number)
                         .arg(why, QDir::toNativeSeparators(path)));
        return;
    }
    m_sound.playImage(WavFile::encode(*clip));
}

void RecordingSession::setState(State state)
{
    m_state = state;
    emit changed();
}
