#include "draw/drawtoolbar.h"
#include "draw/tirage.h"
#include "fakes/fakeaudioinput.h"
#include "fakes/fakeservices.h"
#include "fakes/unprivileged.h"
#include "platform/atomicfile.h"
#include "platform/param.h"
#include "voice/callingvoice.h"
#include "voice/cliprecorder.h"
#include "voice/clipshaper.h"
#include "voice/clubvoicewindow.h"
#include "voice/drawvoicechoice.h"
#include "voice/silencegate.h"
#include "voice/voicechoicefile.h"
#include "voice/wavclip.h"
#include "voice/wavfile.h"

#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cerrno>
#include <cmath>
#include <random>

using namespace Qt::StringLiterals;

namespace {
QList<qint16> silence(int rate, double seconds, int noise = 0)
{
    QList<qint16> out(qsizetype(rate * seconds));
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = qint16(noise ? (i * 7919 % (2 * noise + 1)) - noise : 0);
    return out;
}

QList<qint16> tone(int rate, double seconds, double peakDb)
{
    QList<qint16> out(qsizetype(rate * seconds));
    const double amplitude = 32767 * std::pow(10, peakDb / 20);
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = qint16(amplitude * std::sin(2 * M_PI * 440 * double(i) / rate));
    return out;
}

// A fan or the hall's chatter: white noise of that loudness (RMS), the same at every run.
QList<qint16> fan(int rate, double seconds, double rmsDb = -35)
{
    std::mt19937 random(unsigned(seconds * 1000));
    std::normal_distribution<double> noise(0, 32768 * std::pow(10, rmsDb / 20));
    QList<qint16> out(qsizetype(rate * seconds));
    for (qint16& s : out)
        s = qint16(std::clamp(noise(random), -32768.0, 32767.0));
    return out;
}

QList<qint16> overFan(QList<qint16> sound)
{
    const QList<qint16> noise = fan(16000, double(sound.size()) / 16000 + 0.001);
    for (qsizetype i = 0; i < sound.size(); ++i)
        sound[i] = qint16(std::clamp(sound[i] + noise[i], -32768, 32767));
    return sound;
}

MonoClip spoken(double gainDb = 0)
{
    QFile file(TestPaths::fixture(u"voice/quarante-deux.wav"_s));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    MonoClip clip = *WavFile::decode(file.readAll());
    for (qint16& s : clip.samples)
        s = qint16(s * std::pow(10, gainDb / 20));
    return clip;
}

// The word with silence around it, as a caller says it after pressing Espace.
QList<qint16> take(double lead = 0.3, double tail = 2.0)
{
    const MonoClip word = spoken();
    return silence(word.rate, lead, 40) + word.samples + silence(word.rate, tail, 40);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestClubVoice : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    FakeAudioInput m_input;

    QString voices() const { return m_dir.filePath(u"voix"_s); }
    ClubVoiceStore store() const { return ClubVoiceStore(voices()); }
    ScriptedMessages& messages() { return m_fakes->messages; }

    std::unique_ptr<ClubVoiceWindow> openWindow()
    {
        auto window = std::make_unique<ClubVoiceWindow>(m_fakes->services, m_input, voices());
        window->show();
        window->activateWindow();
        [&] {
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }();
        return window;
    }
    // Writes a voice's clips as the recording window would.
    void makeVoice(const QString& name, const QList<int>& numbers, const MonoClip& clip)
    {
        for (int n : numbers)
            QCOMPARE(store().saveClip(name, n, clip), QString());
    }

private slots:
    void initTestCase()
    {
        AppGlobals globals =
            AppGlobals::compose(m_dir.filePath(u"numerella"_s), QDateTime::currentDateTime());
        globals.VoiceFolder = voices();
        Param::setGlobals(globals);
        m_input.rate = 16000; // the fixture's, as a microphone may give
    }

    void init()
    {
        QDir(voices()).removeRecursively();
        VoiceChoice::inUse().builtInOffset = 0;
        VoiceChoice::inUse().clubVoice.clear();
        m_input.takes.clear();
        m_input.starts = 0;
        m_input.unplugAfter = -1;
        m_input.stallAfter = -1;
        m_input.vanishAfter = -1;
        m_input.plug();
        m_fakes = std::make_unique<FakeServices>();
    }

    void aClipIsTrimmedAndItsPeakEvened_data()
    {
        QTest::addColumn<QList<qint16>>("raw");
        QTest::addColumn<double>("seconds"); // of the sound itself
        QTest::newRow("a word said softly")
            << QList<qint16>(silence(16000, 0.6, 30) + spoken(-24).samples +
                             silence(16000, 1.0, 30))
            << spoken().seconds();
        QTest::newRow("a loud tone")
            << QList<qint16>(silence(16000, 0.2) + tone(16000, 0.8, -0.2) + silence(16000, 0.5))
            << 0.8;
        QTest::newRow("a word over a fan")
            << overFan(silence(16000, 0.6) + spoken(-6).samples + silence(16000, 1.0))
            << spoken().seconds();
    }

    void aClipIsTrimmedAndItsPeakEvened()
    {
        QFETCH(QList<qint16>, raw);
        QFETCH(double, seconds);
        const std::optional<MonoClip> clip = ClipShaper::shape({16000, raw}, 22050);
        QVERIFY(clip);
        QCOMPARE(clip->rate, 22050);
        // The sound, and no more of the silence than the margins kept for soft consonants.
        QVERIFY2(clip->seconds() >= seconds - 0.05 && clip->seconds() <= seconds + 0.13,
                 qPrintable(QString::number(clip->seconds())));
        QVERIFY(std::abs(toDecibels(clip->peak()) - ClipShaper::PeakDb) < 0.1);
        QVERIFY(!ClipShaper::shape({16000, silence(16000, 2.0, 60)}, 22050)); // a quiet room
        QVERIFY(!ClipShaper::shape({16000, fan(16000, 2.0)}, 22050));         // a noisy one
    }

    void theRecorderStopsOnSilenceOrAtThreeSeconds_data()
    {
        QTest::addColumn<QList<qint16>>("heard");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<double>("seconds");
        QTest::newRow("half a second after the word")
            << take(0.3, 2.0) << int(ClipRecorder::Outcome::Spoken) << 0.3 + 0.6 + 0.5;
        QTest::newRow("a word that goes on")
            << tone(16000, 5.0, -6) << int(ClipRecorder::Outcome::Spoken) << 3.0;
        QTest::newRow("a silent microphone")
            << silence(16000, 4.0, 50) << int(ClipRecorder::Outcome::Silent) << 3.0;
        QTest::newRow("half a second after the word, over a fan")
            << overFan(take(0.3, 4.0)) << int(ClipRecorder::Outcome::Spoken) << 0.3 + 0.6 + 0.5;
        QTest::newRow("a fan and no word")
            << fan(16000, 4.0) << int(ClipRecorder::Outcome::Silent) << 3.0;
    }

    void theRecorderStopsOnSilenceOrAtThreeSeconds()
    {
        QFETCH(QList<qint16>, heard);
        QFETCH(int, outcome);
        QFETCH(double, seconds);
        m_input.takes.enqueue(heard);
        ClipRecorder recorder(m_input);
        QSignalSpy levels(&recorder, &ClipRecorder::level);
        QSignalSpy done(&recorder, &ClipRecorder::finished);
        QVERIFY(recorder.start());
        QTRY_COMPARE(done.size(), 1);
        QCOMPARE(done[0][0].value<ClipRecorder::Outcome>(), ClipRecorder::Outcome(outcome));
        const MonoClip clip = done[0][1].value<MonoClip>();
        QVERIFY2(std::abs(clip.seconds() - seconds) < 0.06,
                 qPrintable(QString::number(clip.seconds())));
        QVERIFY(!m_input.isCapturing());
        double loudest = -200;
        for (const QList<QVariant>& level : levels)
            loudest = std::max(loudest, level[0].toDouble());
        QVERIFY(std::abs(loudest - toDecibels(MonoClip{16000, heard}.peak())) < 0.5);
    }

    void wavFilesAreReadInTheirCommonForms()
    {
        const MonoClip word = spoken();
        const QByteArray image = WavFile::encode(word);
        QCOMPARE(WavFile::decode(image)->samples, word.samples);
        const std::optional<WavClip> header = WavClip::parse(image);
        QCOMPARE(header->channels, 1);
        QCOMPARE(header->bitsPerSample, 16);
        // The built-in 8-bit clips, and a stereo float file as a sound editor writes it.
        QVERIFY(SilenceGate::speechBounds(*WavFile::decode(voiceClipImage(42))));
        QByteArray stereo = image;
        stereo.truncate(20);
        stereo += QByteArray::fromHex("0300020044ac00002062050008002000"); // float, 2 channels
        QByteArray data;
        for (float v : {0.5f, -0.5f, 0.25f, 0.25f})
            data.append(reinterpret_cast<const char*>(&v), 4);
        stereo += QByteArray("data\x10\0\0\0", 8) + data;
        QCOMPARE(WavFile::decode(stereo)->samples, (QList<qint16>{0, 8192}));

        QString why;
        QVERIFY(!WavFile::decode(image.left(image.size() / 2), &why));
        QCOMPARE(why, u"ce n'est pas un fichier WAV complet"_s);
        QByteArray adpcm = image;
        adpcm[20] = 2;
        QVERIFY(!WavFile::decode(adpcm, &why));
        QCOMPARE(why, u"ce genre de fichier WAV n'est pas pris en charge"_s);
    }

    void theKeyboardAloneRecordsTheNinetyNumbers()
    {
        QVERIFY(store().create(u"Martine"_s).isEmpty());
        for (int n = 1; n <= 90; ++n)
            m_input.takes.enqueue(take());
        auto window = openWindow();
        RecordingSession& session = window->session();
        QCOMPARE(session.voice(), u"Martine"_s);
        for (int n = 1; n <= 90; ++n) {
            QCOMPARE(session.number(), n);
            QTest::keyClick(window.get(), Qt::Key_Space);
            QTRY_COMPARE(session.state(), RecordingSession::State::Saved);
            QTest::keyClick(window.get(), Qt::Key_Return);
        }
        QCOMPARE(session.number(), 1);
        QCOMPARE(session.recordedCount(), 90);
        QCOMPARE(m_fakes->sound.images.size(), 90); // each take played back at once
        const QByteArray clip = fileBytes(store().clipPath(u"Martine"_s, 90));
        QCOMPARE(m_fakes->sound.images.last(), clip);
        QCOMPARE(WavClip::parse(clip)->sampleRate, 22050);
        QVERIFY(QDir(store().voiceFolder(u"Martine"_s)).entryList(QDir::Files).size() == 90);

        // Refaire takes the number again; E plays the clip kept.
        m_input.takes.enqueue(silence(16000, 0.2) + tone(16000, 1.0, -20));
        QTest::keyClick(window.get(), Qt::Key_R);
        QTRY_COMPARE(session.state(), RecordingSession::State::Saved);
        const double seconds =
            WavFile::decode(fileBytes(store().clipPath(u"Martine"_s, 1)))->seconds();
        QVERIFY(seconds > 1.0 && seconds < 1.15);
        QTest::keyClick(window.get(), Qt::Key_E);
        QCOMPARE(m_fakes->sound.images.size(), 92);
        QCOMPARE(m_input.starts, 91);

        // The buttons are reached by Tab and by Alt; Espace on one of them still records.
        QPushButton* remove = window->button(u"Supprimer"_s);
        QCOMPARE(remove->focusPolicy(), Qt::TabFocus);
        remove->setFocus();
        m_input.takes.enqueue(take());
        QTest::keyClick(remove, Qt::Key_Space);
        QTRY_COMPARE(session.state(), RecordingSession::State::Saved);
        QVERIFY(messages().shown.isEmpty());
        QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(messages().shown.size(), 1); // the button clicks as it is seen pressed
        QVERIFY(messages().last().text.startsWith(u"Supprimer la voix de Martine et ses 90"_s));
    }

    void aVoiceIsResumedRenamedAndDeleted()
    {
        makeVoice(u"Martine"_s, {1, 2, 3, 5}, spoken());
        QFile damaged(store().clipPath(u"Martine"_s, 4)); // told damaged, as the draw does
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a WAV");
        damaged.close();
        auto window = openWindow();
        QCOMPARE(window->session().number(), 4); // where it was left
        QCOMPARE(window->findChild<QLabel*>(u"Compte"_s)->text(),
                 u"4 numéros enregistrés sur 90\nFichiers abîmés : 4"_s);
        QVERIFY(window->findChild<QLabel*>(u"Etat"_s)->text().startsWith(
            u"Le fichier du 4 est abîmé"_s));

        VoiceChoice::inUse().clubVoice = u"Martine"_s; // the draw calls in it
        m_fakes->input.answers.enqueue(u"Émile"_s);
        window->button(u"Renommer"_s)->click();
        QCOMPARE(store().voices(), QStringList{u"Émile"_s});
        QCOMPARE(VoiceChoice::inUse().clubVoice, u"Émile"_s);
        QCOMPARE(VoiceChoice::read(VoiceChoice::pathIn(voices())).clubVoice, u"Émile"_s);

        messages().answer(MsgAnswer::No);
        window->button(u"Supprimer"_s)->click();
        QCOMPARE(messages().last().text, u"Supprimer la voix d'Émile et ses 4 enregistrements "
                                         "?\n\nIls ne pourront pas être retrouvés."_s);
        QCOMPARE(store().voices().size(), 1);
        // A read-only folder keeps the voice, and the window stays on it.
        const QString folder = store().voiceFolder(u"Émile"_s);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        messages().answer(MsgAnswer::Yes);
        window->button(u"Supprimer"_s)->click();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QCOMPARE(messages().last().text,
                 u"La voix d'Émile n'a pas pu être supprimée : son dossier est en lecture "
                 "seule.\n\n"_s +
                     QDir::toNativeSeparators(folder));
        QCOMPARE(window->session().voice(), u"Émile"_s);
        QCOMPARE(VoiceChoice::inUse().clubVoice, u"Émile"_s);
        messages().answer(MsgAnswer::Yes);
        window->button(u"Supprimer"_s)->click();
        QVERIFY(store().voices().isEmpty());
        QCOMPARE(window->session().state(), RecordingSession::State::NoVoice);
        QVERIFY(!window->button(u"Enregistrer"_s)->isEnabled());
        // The draw's choice goes back to the built-in voice.
        QVERIFY(VoiceChoice::inUse().clubVoice.isEmpty());
        QCOMPARE(VoiceChoice::read(VoiceChoice::pathIn(voices())), VoiceChoice{});

        // A name equal but for case and accents is the same caller.
        QVERIFY(store().create(u"Anne"_s).isEmpty());
        QVERIFY(store().create(u"Zoé"_s).isEmpty());
        m_fakes->input.answers.enqueue(u"ânne"_s);
        window->button(u"NouvelleVoix"_s)->click();
        QCOMPARE(messages().last().text, u"Une voix s'appelle déjà « Anne »."_s);
        QCOMPARE(store().voices(), (QStringList{u"Anne"_s, u"Zoé"_s}));
        // Opened again, the window shows the voice the draw calls in.
        VoiceChoice::inUse().clubVoice = u"Zoé"_s;
        QCOMPARE(openWindow()->session().voice(), u"Zoé"_s);
    }

    void faultsAreSaidPlainly()
    {
        QVERIFY(store().create(u"Martine"_s).isEmpty());
        auto window = openWindow();
        RecordingSession& session = window->session();
        auto* status = window->findChild<QLabel*>(u"Etat"_s);

        m_input.unplug();
        QCOMPARE(session.state(), RecordingSession::State::NoMicrophone);
        QVERIFY(status->text().startsWith(u"Aucun microphone n'est branché"_s));
        QVERIFY(!window->button(u"Enregistrer"_s)->isEnabled());
        QTest::keyClick(window.get(), Qt::Key_Space);
        QCOMPARE(m_input.starts, 0);
        m_input.plug();
        QCOMPARE(session.state(), RecordingSession::State::Ready);

        m_input.takes.enqueue(silence(16000, 4.0, 20)); // a muted microphone
        QTest::keyClick(window.get(), Qt::Key_Space);
        QTRY_COMPARE(session.state(), RecordingSession::State::Silent);
        QVERIFY(status->text().startsWith(u"Le microphone n'a rien entendu."_s));

        m_input.takes.enqueue(take());
        m_input.unplugAfter = 8000; // pulled out mid-word
        QTest::keyClick(window.get(), Qt::Key_Space);
        QTRY_COMPARE(session.state(), RecordingSession::State::NoMicrophone);
        QCOMPARE(messages().last().text,
                 u"Le microphone s'est arrêté pendant l'enregistrement du 1 (débranché ?) : rien "
                 "n'a été gardé de cet essai.\n\nRebranchez-le, puis appuyez de nouveau sur "
                 "Espace."_s);
        QVERIFY(store().recorded(u"Martine"_s).isEmpty());
        m_input.plug();

        // Muted in the mixer: no more sound, and no word of it from the input.
        m_input.takes.enqueue(take());
        m_input.stallAfter = 8000;
        QTest::keyClick(window.get(), Qt::Key_Space);
        QTRY_COMPARE(messages().shown.size(), 2);
        QCOMPARE(session.state(), RecordingSession::State::Ready);
        QVERIFY(messages().last().text.startsWith(u"Le microphone s'est arrêté"_s));

        // Pulled out before the word or halfway through it, the capture going
        // on in silence: the take is not kept, the clip made before is intact.
        makeVoice(u"Martine"_s, {1}, spoken());
        const QByteArray good = fileBytes(store().clipPath(u"Martine"_s, 1));
        for (const qsizetype vanishAfter : {1600, 14400}) {
            m_input.takes.enqueue(take());
            m_input.vanishAfter = vanishAfter;
            const qsizetype shown = messages().shown.size();
            QTest::keyClick(window.get(), Qt::Key_Space);
            QTRY_COMPARE(messages().shown.size(), shown + 1);
            QVERIFY(messages().last().text.startsWith(
                u"Le microphone s'est arrêté pendant l'enregistrement du 1 (débranché ?) : rien "
                "n'a été gardé de cet essai."_s));
            QCOMPARE(session.state(), RecordingSession::State::NoMicrophone);
            QCOMPARE(fileBytes(store().clipPath(u"Martine"_s, 1)), good);
            m_input.plug();
        }
        QVERIFY(QFile::remove(store().clipPath(u"Martine"_s, 1)));

        // A folder where the clip goes: refused, the folder left alone.
        QDir().mkpath(store().clipPath(u"Martine"_s, 1));
        m_input.takes.enqueue(take());
        QTest::keyClick(window.get(), Qt::Key_Space);
        QTRY_COMPARE(messages().shown.size(), 5);
        QCOMPARE(
            messages().last().text,
            u"Le numéro 1 n'a pas pu être enregistré ; l'enregistrement précédent, s'il y en a "
            "un, est intact.\n\n"_s +
                QDir::toNativeSeparators(store().clipPath(u"Martine"_s, 1)) +
                u"\nUn dossier porte ce nom."_s);
        QVERIFY(QFileInfo(store().clipPath(u"Martine"_s, 1)).isDir());
    }

    void aReadOnlyFolderRefusesTheRecording()
    {
        makeVoice(u"Martine"_s, {1}, spoken());
        const QString folder = store().voiceFolder(u"Martine"_s);
        const QByteArray before = fileBytes(store().clipPath(u"Martine"_s, 1));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        auto window = openWindow();
        QTest::keyClick(window.get(), Qt::Key_Left); // back to the 1, recorded already
        QTest::keyClick(window.get(), Qt::Key_Space);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        // Refused before a word is said.
        QCOMPARE(m_input.starts, 0);
        QCOMPARE(
            messages().last().text,
            u"L'enregistrement est refusé : le dossier de la voix ne peut pas être écrit.\n\n"_s +
                QDir::toNativeSeparators(folder) + u"\nLe dossier est en lecture seule."_s);
        QCOMPARE(fileBytes(store().clipPath(u"Martine"_s, 1)), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{u"01.wav"_s}); // no scrap left

        AtomicFile::injectWriteFault(0, ENOSPC);
        m_input.takes.enqueue(take());
        QTest::keyClick(window.get(), Qt::Key_Space);
        QTRY_COMPARE(messages().shown.size(), 2);
        AtomicFile::injectWriteFault(0, 0);
        QVERIFY(messages().last().text.endsWith(u"01.wav\nLe disque est plein."_s));
        QCOMPARE(fileBytes(store().clipPath(u"Martine"_s, 1)), before);
    }

    void anImportListsWhatItLeavesOut()
    {
        QTemporaryDir source;
        const auto put = [&](const QString& name, const QByteArray& bytes) {
            QFile file(source.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        put(u"1.wav"_s, WavFile::encode({16000, take()}));
        put(u"02.WAV"_s, voiceClipImage(92)); // 8 bits, from another program
        put(u"01.wav"_s, WavFile::encode(spoken()));
        put(u"3.mp3"_s, "ID3 this is not sound at all");
        put(u"4.wav"_s, WavFile::encode({16000, tone(16000, 6.0, -3)}));
        put(u"5.wav"_s, WavFile::encode({16000, silence(16000, 1.0)}));
        put(u"liste.txt"_s, "1 2 3");
        for (const QString& name : {u"0"_s, u"91.wav"_s, u"abc"_s, u"1.2"_s})
            put(name, WavFile::encode(spoken()));
        QDir(source.path()).mkdir(u"6.wav"_s);
        auto window = openWindow();
        m_fakes->input.answers.enqueue(u"Paul"_s);
        window->importFolder(source.path());
        QTRY_VERIFY(!window->isImporting());
        QCOMPARE(messages().last().text,
                 u"2 numéros importés dans la voix de Paul.\n\n"
                 "Pas des fichiers audio lisibles :\n3.mp3, 6.wav\n\n"
                 "Trop longs (plus de 5 secondes) :\n4.wav\n\n"
                 "Muets :\n5.wav\n\n"
                 "En double (un seul fichier par numéro est pris) :\n1.wav\n\n"
                 "Pas nommés par un numéro de 1 à 90 :\n0, 1.2, 91.wav, abc, liste.txt\n\n"
                 "Aucun fichier pour les numéros :\n7-90"_s);
        QCOMPARE(store().recorded(u"Paul"_s), (QList<int>{1, 2}));
        QCOMPARE(window->session().voice(), u"Paul"_s);
        QCOMPARE(window->session().number(), 3);

        QTemporaryDir empty;
        messages().answer(MsgAnswer::Yes); // over the clips of Paul
        window->importFolder(empty.path());
        QTRY_VERIFY(!window->isImporting());
        QCOMPARE(messages().last().text,
                 u"Aucun numéro importé dans la voix de Paul.\n\nLe dossier ne contient aucun "
                 "fichier nommé par un numéro de 1 à 90."_s);
    }

    void theDrawCallsInTheClubVoice()
    {
        const MonoClip word = *ClipShaper::shape(spoken(), 22050);
        QList<int> recorded;
        for (int n = 1; n <= 90; ++n)
            recorded << n;
        recorded.removeOne(7);
        recorded.removeOne(8);
        makeVoice(u"Martine"_s, recorded, word);
        QFile damaged(store().clipPath(u"Martine"_s, 9));
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("RIFF");
        damaged.close();
        QDir().mkpath(store().clipPath(u"Martine"_s, 8));

        auto screen = std::make_unique<Tirage>(m_fakes->services);
        screen->show();
        QMenu* menu = screen->voice().menu();
        emit menu->aboutToShow();
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->text();
        QCOMPARE(items, (QStringList{u"Voix féminine"_s, u"Voix masculine"_s, QString(),
                                     u"Voix de Martine"_s}));
        menu->actions().last()->trigger();
        QCOMPARE(messages().last().text,
                 u"Il manque 3 numéros à la voix de Martine : ils seront dits par la voix "
                 "féminine.\n\nPas encore enregistrés : 7\nFichiers abîmés : 9\n"
                 "Un dossier à la place de l'enregistrement : 8"_s);
        QVERIFY(screen->barre()->button(u"Voix"_s)->isChecked());
        QVERIFY(!screen->barre()->button(u"Femme"_s)->isChecked());

        screen->series().draw(42, DrawMethod::Hand);
        screen->series().draw(7, DrawMethod::Hand);
        QCOMPARE(m_fakes->sound.images.first(), WavFile::encode(word));
        // The missing number in the female voice, at the club clips' rate.
        QCOMPARE(m_fakes->sound.images.last(), screen->voice().voice().clip(7));
        QCOMPARE(WavClip::parse(m_fakes->sound.images.last())->sampleRate, 22050);
        screen->barre()->button(u"Repeter"_s)->click();
        QCOMPARE(m_fakes->sound.images.size(), 3);

        // Remembered for the next evening; a voice gone since is said and left.
        screen.reset();
        DrawVoiceChoice::restore(voices());
        QCOMPARE(VoiceChoice::inUse().clubVoice, u"Martine"_s);
        Tirage again(m_fakes->services);
        QVERIFY(again.barre()->button(u"Voix"_s)->isChecked());
        QTRY_COMPARE(messages().shown.size(), 2); // what is missing, said again
        QVERIFY(store().remove(u"Martine"_s).isEmpty());
        Tirage afterDeletion(m_fakes->services);
        QVERIFY(afterDeletion.barre()->button(u"Femme"_s)->isChecked());
        QTRY_COMPARE(messages().last().text,
                     u"La voix de Martine n'est plus dans le dossier des voix : les numéros seront "
                     "dits par la voix féminine."_s);
        afterDeletion.series().draw(42, DrawMethod::Hand);
        QCOMPARE(m_fakes->sound.clips.last(), 42);
        QCOMPARE(VoiceChoice::read(VoiceChoice::pathIn(voices())), VoiceChoice{});
    }

    void ninetySilentClipsAreSaidPlainly()
    {
        for (int n = 1; n <= 90; ++n)
            QCOMPARE(store().saveClip(u"Muette"_s, n, {22050, silence(22050, 1.0, 10)}), QString());
        const CallingVoice voice = CallingVoice::club(store(), u"Muette"_s);
        QCOMPARE(voice.missing().size(), 90);
        QCOMPARE(voice.report(),
                 u"Aucun numéro de la voix de Muette n'est utilisable : tous seront "
                 "dits par la voix féminine.\n\nEnregistrements muets : 1-90"_s);
        QVERIFY(SilenceGate::speechBounds(*WavFile::decode(voice.clip(90))));

        // Imported, they are told by their numbers.
        QTemporaryDir source;
        for (int n = 1; n <= 90; ++n) {
            QFile file(source.filePath(u"%1.wav"_s.arg(n)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(WavFile::encode({16000, silence(16000, 0.5)}));
        }
        auto window = openWindow();
        messages().answer(MsgAnswer::Yes);
        window->importFolder(source.path());
        QTRY_VERIFY(!window->isImporting());
        QCOMPARE(messages().last().text, u"Aucun numéro importé dans la voix de Muette.\n\n"
                                         "Fichiers muets pour les numéros :\n1-90"_s);
    }
};

NUMERELLA_UNPRIVILEGED_MAIN(TestClubVoice)
#include "test_clubvoice.moc"
