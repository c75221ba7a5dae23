#pragma once

#include "clubvoicestore.h"

#include <QFileInfoList>
#include <QObject>
#include <QPointer>

#include <optional>

class QAudioDecoder;

// Brings a folder of recordings named by number (1.wav, 01.mp3, 7.ogg...)
// into a club voice, each made a clip like the ones recorded here. WAV files
// are read directly; anything else goes through Qt Multimedia's decoder,
// one file at a time, without holding the window up.
class VoiceImport : public QObject
{
    Q_OBJECT

public:
    static constexpr double MaxSeconds = 5.0;
    // Beyond this many files, the silent ones are told as ranges of numbers.
    static constexpr int LongList = 10;

    explicit VoiceImport(const ClubVoiceStore& store, QObject* parent = nullptr);
    ~VoiceImport() override;

    void start(const QString& sourceFolder, const QString& voice);
    bool isRunning() const { return m_running; }

signals:
    void progress(int done, int total);
    // What was brought in, and every file left out and why, in French.
    void finished(const QString& report, int imported);

private:
    void scan(const QString& sourceFolder);
    void nextFile();
    void decoded(const QFileInfo& file, const std::optional<MonoClip>& raw);
    void decodeWithQt(const QFileInfo& file);
    void finish();

    const ClubVoiceStore& m_store;
    QString m_voice;
    bool m_running = false;
    QList<std::pair<int, QFileInfo>> m_queue;
    int m_total = 0;
    int m_imported = 0;
    QList<int> m_numbersFound;
    QList<int> m_silentNumbers;
    QStringList m_notAudio, m_tooLong, m_silent, m_twice, m_unwritten, m_unnamed;
    QPointer<QAudioDecoder> m_decoder;
    MonoClip m_decoding;
};
