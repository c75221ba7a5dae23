#include "cliprecorder.h"

#include "platform/audioinput.h"
#include "silencegate.h"

#include <algorithm>
#include <cstdlib>

ClipRecorder::ClipRecorder(AudioInput& input, QObject* parent) : QObject(parent), m_input(input)
{
    connect(&m_input, &AudioInput::captured, this, &ClipRecorder::hear);
    connect(&m_input, &AudioInput::lost, this, [this] {
        if (m_recording)
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
    const int rate = m_input.start(PreferredRate);
    if (rate <= 0)
        return false;
    m_take = {rate, {}};
    m_recording = true;
    m_spoken = false;
    m_silentSince = 0;
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
    int loudest = 0;
    for (qint16 s : kept)
        loudest = std::max(loudest, std::abs(int(s)));
    emit level(toDecibels(loudest / 32768.0));
    if (SilenceGate::isSpeech(kept.constData(), kept.size())) {
        m_spoken = true;
        m_silentSince = 0;
    } else {
        m_silentSince += kept.size();
    }
    if (m_spoken && m_silentSince >= qsizetype(SilenceAfterSpeechSeconds * m_take.rate))
        finish(Outcome::Spoken);
    else if (kept.size() < samples.size() || room <= kept.size())
        finish(m_spoken ? Outcome::Spoken : Outcome::Silent);
}

void ClipRecorder::finish(Outcome outcome)
{
    cancel();
    // A copy: whoever hears of it may start the next take at once.
    const MonoClip take = outcome == Outcome::Lost ? MonoClip{m_take.rate, {}} : m_take;
    emit finished(outcome, take);
}
