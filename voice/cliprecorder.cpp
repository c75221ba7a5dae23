#include "cliprecorder.h"

#include "platform/audioinput.h"
#include "silencegate.h"

#include <algorithm>

ClipRecorder::ClipRecorder(AudioInput& input, QObject* parent) : QObject(parent), m_input(input)
{
    connect(&m_input, &AudioInput::captured, this, &ClipRecorder::hear);
    connect(&m_input, &AudioInput::lost, this, [this] {
        if (m_recording)
            finish(Outcome::Lost);
    });
    // A microphone pulled out may go on sending silence, the sound server
    // moving the capture elsewhere: its leaving the list is the sign.
    connect(&m_input, &AudioInput::devicesChanged, this, [this] {
        if (m_recording && inputGone())
            finish(Outcome::Lost);
    });
    m_noSound.setSingleShot(true);
    m_noSound.setInterval(NoSoundMs);
    connect(&m_noSound, &QTimer::timeout, this, [this] {
        if (m_recording)
            finish(Outcome::Lost);
    });
}

ClipRecorder::~ClipRecorder()
{
    cancel();
}

bool ClipRecorder::start()
{
    cancel();
    m_device = m_input.deviceName();
    const int rate = m_input.start(PreferredRate);
    if (rate <= 0)
        return false;
    m_take = {rate, {}};
    m_recording = true;
    m_levels.clear();
    m_noSound.start();
    return true;
}

void ClipRecorder::cancel()
{
    if (!m_recording)
        return;
    m_recording = false;
    m_noSound.stop();
    m_input.stop();
}

void ClipRecorder::hear(const QList<qint16>& samples)
{
    if (!m_recording || samples.isEmpty())
        return;
    m_noSound.start();
    const qsizetype room = qsizetype(MaxSeconds * m_take.rate) - m_take.samples.size();
    const QList<qint16> kept = samples.mid(0, std::max<qsizetype>(0, room));
    m_take.samples.append(kept);
    emit level(SilenceGate::levelDb(kept.constData(), kept.size()));
    const qsizetype piece = SilenceGate::pieceSize(m_take.rate);
    while ((m_levels.size() + 1) * piece <= m_take.samples.size())
        m_levels.append(
            SilenceGate::levelDb(m_take.samples.constData() + m_levels.size() * piece, piece));
    const auto speech = SilenceGate::speechPieces(m_levels);
    const qsizetype silentSince = speech ? m_take.samples.size() - (speech->second + 1) * piece : 0;
    if (speech && silentSince >= qsizetype(SilenceAfterSpeechSeconds * m_take.rate))
        finish(Outcome::Spoken);
    else if (kept.size() < samples.size() || room <= kept.size())
        finish(speech ? Outcome::Spoken : Outcome::Silent);
}

bool ClipRecorder::inputGone() const
{
    return m_input.deviceName() != m_device;
}

void ClipRecorder::finish(Outcome outcome)
{
    // Whatever was heard, a take the microphone left halfway is not kept.
    if (inputGone())
        outcome = Outcome::Lost;
    cancel();
    // A copy: whoever hears of it may start the next take at once.
    const MonoClip take = outcome == Outcome::Lost ? MonoClip{m_take.rate, {}} : m_take;
    emit finished(outcome, take);
}
