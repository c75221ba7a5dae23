#pragma once

#include "cliprecorder.h"
#include "clubvoicestore.h"

#include <QObject>

class AudioInput;
class SoundOutput;

// Recording one club voice number after number: which number is up, what
// became of its last take, and the clips written as they are made. The
// recording window only shows it and forwards the keys.
class RecordingSession : public QObject
{
    Q_OBJECT

public:
    enum class State {
        NoVoice, // no voice open yet
        Ready,   // the number shown waits for its take
        Recording,
        Saved,        // the take was kept and played back
        Silent,       // the microphone heard nothing
        NoMicrophone, // none to record from
    };
    static constexpr int ClipRate = ClipRecorder::PreferredRate;

    // Takes are played back through sound.
    RecordingSession(const ClubVoiceStore& store, AudioInput& input, SoundOutput& sound,
                     QObject* parent = nullptr);

    // Opens a voice where it was left: at its first number without a clip.
    void open(const QString& name);
    void close();
    const QString& voice() const { return m_voice; }
    int number() const { return m_number; }
    State state() const { return m_state; }
    double lastSeconds() const { return m_lastSeconds; }
    bool hasClip(int number) const;
    int recordedCount() const;
    QList<int> damagedClips() const;

    void record();
    void next();
    void previous();
    void listen();
    // After the microphones changed: whether there is one to record from.
    void refreshMicrophone();

signals:
    void changed();
    void level(double peakDb);
    // A refusal or a fault to tell in a message box.
    void problem(const QString& text);

private:
    void taken(ClipRecorder::Outcome outcome, const MonoClip& take);
    void moveTo(int number);
    void setState(State state);

    const ClubVoiceStore& m_store;
    AudioInput& m_input;
    SoundOutput& m_sound;
    ClipRecorder m_recorder;
    QString m_voice;
    int m_number = 1;
    State m_state = State::NoVoice;
    double m_lastSeconds = 0;
};
