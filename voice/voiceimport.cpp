#include "voiceimport.h"

#include "callingvoice.h"
#include "clipshaper.h"
#include "platform/counttext.h"
#include "recordingsession.h"
#include "wavfile.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QDir>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// Far above any spoken number, whatever its format.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

std::optional<int> numberOf(const QString& fileName)
{
    // "1.2" is no number's file: an extension starts with a letter.
    static const QRegularExpression named(uR"(^0*([1-9][0-9]?)\.[A-Za-z][A-Za-z0-9]{0,4}$)"_s);
    const QRegularExpressionMatch match = named.match(fileName);
    const int n = match.hasMatch() ? match.captured(1).toInt() : 0;
    return n >= 1 && n <= ClubVoiceStore::Numbers ? std::optional<int>(n) : std::nullopt;
}

// A buffer from the decoder, in whatever format it chose, mixed to mono.
void appendMono(const QAudioBuffer& buffer, QList<qint16>& out)
{
    const QAudioFormat format = buffer.format();
    const int channels = std::max(1, format.channelCount());
    const qsizetype frames = buffer.frameCount();
    const auto sampleAt = [&](qsizetype i) -> double {
        switch (format.sampleFormat()) {
        case QAudioFormat::UInt8:
            return (buffer.constData<quint8>()[i] - 128) / 128.0;
        case QAudioFormat::Int16:
            return buffer.constData<qint16>()[i] / 32768.0;
        case QAudioFormat::Int32:
            return buffer.constData<qint32>()[i] / 2147483648.0;
        case QAudioFormat::Float:
            return double(buffer.constData<float>()[i]);
        default:
            return 0.0;
        }
    };
    for (qsizetype f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += sampleAt(f * channels + c);
        out.append(qint16(std::lround(std::clamp(sum / channels, -1.0, 1.0) * 32767)));
    }
}
} // namespace

VoiceImport::VoiceImport(const ClubVoiceStore& store, QObject* parent)
    : QObject(parent), m_store(store)
{}

VoiceImport::~VoiceImport()
{
    delete m_decoder;
}

void VoiceImport::start(const QString& sourceFolder, const QString& voice)
{
    m_voice = voice;
    m_running = true;
    m_imported = 0;
    m_numbersFound.clear();
    m_silentNumbers.clear();
    for (QStringList* list :
         {&m_notAudio, &m_tooLong, &m_silent, &m_twice, &m_unwritten, &m_unnamed})
        list->clear();
    scan(sourceFolder);
    m_total = int(m_queue.size());
    QTimer::singleShot(0, this, &VoiceImport::nextFile);
}

void VoiceImport::scan(const QString& sourceFolder)
{
    m_queue.clear();
    QFileInfoList entries =
        QDir(sourceFolder)
            .entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    // In the order of the numbers (2.wav before 10.wav), so is every list of the report.
    std::stable_sort(entries.begin(), entries.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return numberOf(a.fileName()).value_or(0) < numberOf(b.fileName()).value_or(0);
    });
    for (const QFileInfo& entry : entries) {
        const std::optional<int> n = numberOf(entry.fileName());
        if (!n) {
            m_unnamed << entry.fileName();
            continue;
        }
        if (m_numbersFound.contains(*n)) {
            m_twice << entry.fileName();
            continue;
        }
        m_numbersFound << *n;
        m_queue.append({*n, entry});
    }
    std::sort(m_numbersFound.begin(), m_numbersFound.end());
}

void VoiceImport::nextFile()
{
    if (m_queue.isEmpty()) {
        finish();
        return;
    }
    emit progress(m_total - int(m_queue.size()), m_total);
    const QFileInfo file = m_queue.first().second;
    if (!file.isFile() || file.size() > MaxFileBytes) {
        decoded(file, std::nullopt);
        return;
    }
    QFile in(file.filePath());
    if (in.open(QIODevice::ReadOnly) && in.peek(4) == "RIFF") {
        if (std::optional<MonoClip> wav = WavFile::decode(in.readAll())) {
            decoded(file, wav);
            return;
        }
    }
    decodeWithQt(file);
}

void VoiceImport::decodeWithQt(const QFileInfo& file)
{
    delete m_decoder;
    m_decoder = new QAudioDecoder(this);
    if (!m_decoder->isSupported()) {
        decoded(file, std::nullopt);
        return;
    }
    QAudioFormat wanted;
    wanted.setSampleRate(RecordingSession::ClipRate);
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    m_decoder->setAudioFormat(wanted);
    m_decoder->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_decoding = {};
    QAudioDecoder* decoder = m_decoder;
    const auto done = [this, decoder, file](bool heard) {
        decoder->disconnect(this);
        decoded(file, heard && !m_decoding.samples.isEmpty() ? std::optional<MonoClip>(m_decoding)
                                                             : std::nullopt);
    };
    connect(decoder, &QAudioDecoder::bufferReady, this, [this, decoder, done] {
        const QAudioBuffer buffer = decoder->read();
        m_decoding.rate = buffer.format().sampleRate();
        appendMono(buffer, m_decoding.samples);
        // Past the limit there is no need to hear the rest.
        if (m_decoding.seconds() > MaxSeconds + 1) {
            decoder->stop();
            done(true);
        }
    });
    connect(decoder, &QAudioDecoder::finished, this, [done] { done(true); });
    connect(decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
            [done] { done(false); });
    m_decoder->start();
}

void VoiceImport::decoded(const QFileInfo& file, const std::optional<MonoClip>& raw)
{
    const int number = m_queue.takeFirst().first;
    std::optional<MonoClip> clip;
    if (!raw || raw->rate <= 0)
        m_notAudio << file.fileName();
    else if (raw->seconds() > MaxSeconds)
        m_tooLong << file.fileName();
    else if (!(clip = ClipShaper::shape(*raw, RecordingSession::ClipRate))) {
        m_silent << file.fileName();
        m_silentNumbers << number;
    }
    if (clip) {
        if (const QString refusal = m_store.saveClip(m_voice, number, *clip); refusal.isEmpty())
            ++m_imported;
        else
            m_unwritten << refusal;
    }
    // The decoder that called is let go of on the way back to the event loop.
    QTimer::singleShot(0, this, &VoiceImport::nextFile);
}

void VoiceImport::finish()
{
    m_running = false;
    QList<int> missing;
    for (int n = 1; n <= ClubVoiceStore::Numbers; ++n) {
        if (!m_numbersFound.contains(n))
            missing << n;
    }
    QString report =
        (m_imported == 0 ? u"Aucun numéro importé"_s
                         : countText(m_imported, u"numéro importé"_s, u"numéros importés"_s)) +
        u" dans la voix %1."_s.arg(ofName(m_voice));
    const auto line = [&report](const QString& what, const QStringList& files) {
        if (!files.isEmpty())
            report += u"\n\n"_s + what + u" :\n"_s + files.join(u", "_s);
    };
    line(u"Pas des fichiers audio lisibles"_s, m_notAudio);
    line(u"Trop longs (plus de 5 secondes)"_s, m_tooLong);
    // A folder of silence is told by its numbers, not file by file.
    if (m_silent.size() > LongList)
        report += u"\n\nFichiers muets pour les numéros :\n"_s + numberRanges(m_silentNumbers);
    else
        line(u"Muets"_s, m_silent);
    line(u"En double (un seul fichier par numéro est pris)"_s, m_twice);
    line(u"Pas nommés par un numéro de 1 à 90"_s, m_unnamed);
    // A read-only or full folder refuses every file alike: the first refusal says why.
    if (!m_unwritten.isEmpty())
        report += u"\n\n"_s +
                  countText(m_unwritten.size(), u"fichier non écrit"_s, u"fichiers non écrits"_s) +
                  u" :\n"_s + m_unwritten.first();
    if (m_numbersFound.isEmpty())
        report += u"\n\nLe dossier ne contient aucun fichier nommé par un numéro de 1 à 90."_s;
    else if (!missing.isEmpty())
        report += u"\n\nAucun fichier pour les numéros :\n"_s + numberRanges(missing);
    emit finished(report, m_imported);
}
