#pragma once

#include "monoclip.h"

#include <QObject>
#include <QTimer>

class AudioInput;

// One take from the microphone: it listens until the number has been said
// and half a second of silence followed, or for three seconds at most.
class ClipRecorder : public QObject
{
    Q_OBJECT

public:
    static constexpr int PreferredRate = 22050;
    static constexpr double MaxSeconds = 3.0;
    static constexpr double SilenceAfterSpeechSeconds = 0.5;
    // A microphone that stops sending (muted, suspended) without a word ends
    // the take as lost after this long.
    static constexpr int NoSoundMs = 2000;

    enum class Outcome { Spoken, Silent, Lost };

    explicit ClipRecorder(AudioInput& input, QObject* parent = nullptr);
    ~ClipRecorder() override;

    // False when no microphone can be opened.
    bool start();
    void cancel();
    bool isRecording() const { return m_recording; }

signals:
    // The loudness of what was just heard, in decibels of full scale.
    void level(double peakDb);
    // The take as heard, silence included; empty when the microphone was lost.
    void finished(ClipRecorder::Outcome outcome, const MonoClip& take);

private:
    void hear(const QList<qint16>& samples);
    void finish(Outcome outcome);
    // The microphone the take began on has left the machine, or another took its place.
    bool inputGone() const;

    AudioInput& m_input;
    MonoClip m_take;
    QString m_device; // the one the take began on
    bool m_recording = false;
    // The level of each whole piece heard so far: the room's noise is judged
    // again at every piece, from the take as it grows.
    QList<double> m_levels;
    QTimer m_noSound;
};
