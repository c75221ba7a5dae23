#include "clubvoicewindow.h"

#include "callingvoice.h"
#include "levelmeter.h"
#include "platform/audioinput.h"
#include "platform/counttext.h"
#include "platform/helpopener.h"
#include "platform/inputbox.h"
#include "platform/param.h"
#include "platform/services.h"
#include "recordingstatus.h"
#include "voicechoicefile.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
using State = RecordingSession::State;
} // namespace

ClubVoiceWindow::ClubVoiceWindow(Services& services, AudioInput& input, const QString& voiceFolder,
                                 QWidget* parent)
    : QDialog(parent), m_services(services), m_input(input), m_store(voiceFolder),
      m_session(m_store, input, services.sound), m_import(m_store)
{
    setObjectName(u"VoixDuClub"_s);
    setWindowTitle(u"Voix du club"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    HelpKey::setTopic(this, HelpTopic::Contents);
    chooseFolder = [](QWidget* parent) {
        return QFileDialog::getExistingDirectory(parent,
                                                 u"Dossier des enregistrements à importer"_s);
    };
    buildScreen();
    connect(&m_session, &RecordingSession::changed, this, &ClubVoiceWindow::refresh);
    connect(&m_session, &RecordingSession::level, this, [this](double peakDb) {
        m_meter->setLevel(peakDb, m_session.state() == State::Recording);
    });
    connect(&m_session, &RecordingSession::problem, this,
            [this](const QString& text) { say(MsgIcon::Critical, text); });
    connect(&m_input, &AudioInput::devicesChanged, this, [this] {
        m_session.refreshMicrophone();
        refresh();
    });
    connect(&m_import, &VoiceImport::progress, this, [this](int done, int total) {
        m_importStatus = u"Importation : %1 fichiers sur %2…"_s.arg(done).arg(total);
        refresh();
    });
    connect(&m_import, &VoiceImport::finished, this, [this](const QString& report, int) {
        m_importStatus.clear();
        m_session.open(m_voices->currentText());
        say(MsgIcon::Information, report);
    });
    // Opened on the voice the draw calls in, when it is a club voice.
    fillVoices(m_store.contains(VoiceChoice::inUse().clubVoice) ? VoiceChoice::inUse().clubVoice
                                                                : m_store.voices().value(0));
}

ClubVoiceWindow::~ClubVoiceWindow() = default;

void ClubVoiceWindow::buildScreen()
{
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(u"&Voix :"_s, this);
    m_voices = new QComboBox(this);
    m_voices->setObjectName(u"Voix"_s);
    m_voices->setAccessibleName(u"Voix enregistrée"_s);
    m_voices->setAccessibleDescription(u"La voix du club à enregistrer ou à écouter"_s);
    m_voices->setMinimumWidth(220);
    label->setBuddy(m_voices);
    connect(m_voices, &QComboBox::activated, this, [this] {
        openSelected();
        setFocus(); // the keys go back to the recording
    });
    top->addWidget(label);
    top->addWidget(m_voices, 1);
    for (QPushButton* b :
         {addButton(u"NouvelleVoix"_s, u"&Nouvelle voix…"_s, u"Créer une voix"_s,
                    &ClubVoiceWindow::newVoice),
          addButton(u"Renommer"_s, u"&Renommer…"_s, u"Renommer la voix"_s,
                    &ClubVoiceWindow::renameVoice),
          addButton(u"Supprimer"_s, u"&Supprimer…"_s, u"Supprimer la voix et ses enregistrements"_s,
                    &ClubVoiceWindow::deleteVoice),
          addButton(u"Importer"_s, u"&Importer un dossier…"_s,
                    u"Importer un dossier de fichiers nommés par numéro (1.wav, 01.mp3…)"_s,
                    nullptr)})
        top->addWidget(b);
    connect(button(u"Importer"_s), &QPushButton::clicked, this, [this] {
        if (const QString folder = chooseFolder(this); !folder.isEmpty())
            importFolder(folder);
    });

    m_number = new QLabel(this);
    m_number->setObjectName(u"Numero"_s);
    m_number->setAlignment(Qt::AlignCenter);
    m_number->setMinimumSize(300, 260);
    QFont big(u"Arial"_s, 150, QFont::Bold);
    m_number->setFont(big);

    m_status = new QLabel(this);
    m_status->setObjectName(u"Etat"_s);
    m_status->setWordWrap(true);
    m_status->setFont(QFont(u"Arial"_s, 14));
    m_status->setMinimumWidth(320);
    m_meter = new LevelMeter(this);
    m_microphone = new QLabel(this);
    m_microphone->setObjectName(u"Microphone"_s);
    m_count = new QLabel(this);
    m_count->setObjectName(u"Compte"_s);
    auto* keys = new QLabel(u"Espace : enregistrer    R : refaire    Entrée : suivant\n"
                            "E : écouter    ← → : numéro précédent ou suivant"_s,
                            this);
    keys->setObjectName(u"Touches"_s);
    auto* side = new QVBoxLayout;
    side->addWidget(m_status, 1);
    side->addWidget(new QLabel(u"Niveau du microphone :"_s, this));
    side->addWidget(m_meter);
    side->addWidget(m_microphone);
    side->addWidget(m_count);
    side->addWidget(keys);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_number, 1);
    middle->addLayout(side, 1);

    auto* bottom = new QHBoxLayout;
    const auto sessionButton = [this](const QString& name, const QString& text, const QString& tip,
                                      void (RecordingSession::*action)()) {
        QPushButton* b = addButton(name, text, tip, nullptr);
        connect(b, &QPushButton::clicked, &m_session, action);
        return b;
    };
    bottom->addWidget(sessionButton(u"Precedent"_s, u"&Précédent"_s, u"Numéro précédent (←)"_s,
                                    &RecordingSession::previous));
    bottom->addWidget(sessionButton(u"Enregistrer"_s, u"&Enregistrer"_s,
                                    u"Enregistrer le numéro (Espace)"_s,
                                    &RecordingSession::record));
    bottom->addWidget(sessionButton(u"Ecouter"_s, u"É&couter"_s, u"Écouter l'enregistrement (E)"_s,
                                    &RecordingSession::listen));
    bottom->addWidget(sessionButton(u"Refaire"_s, u"Re&faire"_s, u"Enregistrer de nouveau (R)"_s,
                                    &RecordingSession::record));
    bottom->addWidget(sessionButton(u"Suivant"_s, u"S&uivant"_s, u"Numéro suivant (Entrée)"_s,
                                    &RecordingSession::next));
    bottom->addStretch();
    QPushButton* close =
        addButton(u"Fermer"_s, u"Fer&mer"_s, u"Fermer la fenêtre (Échap)"_s, nullptr);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(close);

    addKey(Qt::Key_Space, &RecordingSession::record);
    addKey(Qt::Key_R, &RecordingSession::record);
    addKey(Qt::Key_Return, &RecordingSession::next);
    addKey(Qt::Key_Enter, &RecordingSession::next);
    addKey(Qt::Key_Right, &RecordingSession::next);
    addKey(Qt::Key_Left, &RecordingSession::previous);
    addKey(Qt::Key_E, &RecordingSession::listen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
    setFocusPolicy(Qt::StrongFocus);
    resize(880, 520);
}

QPushButton* ClubVoiceWindow::addButton(const QString& name, const QString& text,
                                        const QString& tip, void (ClubVoiceWindow::*action)())
{
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setToolTip(tip);
    const QString plain = QString(text).remove(u'&');
    b->setAccessibleName(plain.chopped(plain.endsWith(u'…') ? 1 : 0));
    b->setAccessibleDescription(tip);
    // Reached by Tab or by Alt and its letter; a click leaves the focus where
    // it was. Espace, R and Entrée stay the recording's even on a button: the
    // window's shortcuts come before the button's own keys.
    b->setFocusPolicy(Qt::TabFocus);
    b->setAutoDefault(false);
    if (action)
        connect(b, &QPushButton::clicked, this, action);
    m_buttons.append(b);
    return b;
}

void ClubVoiceWindow::addKey(QKeySequence key, void (RecordingSession::*action)())
{
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [this, action] {
        if (!m_import.isRunning())
            (m_session.*action)();
    });
}

QPushButton* ClubVoiceWindow::button(const QString& name) const
{
    for (QPushButton* b : m_buttons) {
        if (b->objectName() == name)
            return b;
    }
    return nullptr;
}

void ClubVoiceWindow::fillVoices(const QString& selected)
{
    m_voices->clear();
    m_voices->addItems(m_store.voices());
    m_voices->setCurrentIndex(std::max(0, m_voices->findText(selected)));
    openSelected();
}

void ClubVoiceWindow::openSelected()
{
    if (m_voices->currentText().isEmpty())
        m_session.close();
    else
        m_session.open(m_voices->currentText());
}

void ClubVoiceWindow::refresh()
{
    const State state = m_session.state();
    const bool voice = state != State::NoVoice;
    const bool idle = state != State::Recording && !m_import.isRunning();
    const int n = m_session.number();
    m_number->setText(voice ? QString::number(n) : u"–"_s);
    m_number->setAccessibleName(voice ? u"Numéro à dire : %1"_s.arg(n) : u"Aucune voix ouverte"_s);
    // Red while the microphone listens, as a studio's light.
    m_number->setStyleSheet(u"color: %1; background: #c0c0c0; border: 2px inset gray;"_s.arg(
        state == State::Recording ? u"#d00000"_s : u"#0000ff"_s));
    m_status->setText(m_importStatus.isEmpty() ? RecordingStatus::text(m_session) : m_importStatus);
    m_status->setAccessibleName(m_status->text());
    const bool alarm = state == State::Silent || state == State::NoMicrophone;
    m_status->setStyleSheet(alarm ? u"color: #c00000; font-weight: bold;"_s : QString());
    const QString device = m_input.deviceName();
    m_microphone->setText(u"Microphone : "_s + (device.isEmpty() ? u"aucun"_s : device));
    // A damaged file is told apart from a number not yet said, as the draw screen does.
    const QList<int> damaged = m_session.damagedClips();
    m_count->setText(voice ? countText(m_session.recordedCount(), u"numéro enregistré"_s,
                                       u"numéros enregistrés"_s) +
                                 u" sur 90"_s +
                                 (damaged.isEmpty()
                                      ? QString()
                                      : u"\nFichiers abîmés : "_s + numberRanges(damaged))
                           : QString());
    if (state != State::Recording)
        m_meter->setLevel(LevelMeter::FloorDb, false);
    const bool microphone = state != State::NoMicrophone;
    m_voices->setEnabled(idle);
    for (QPushButton* b : m_buttons)
        b->setEnabled(idle && (voice || b->objectName() == u"NouvelleVoix" ||
                               b->objectName() == u"Importer" || b->objectName() == u"Fermer"));
    button(u"Enregistrer"_s)->setEnabled(idle && voice && microphone);
    button(u"Refaire"_s)->setEnabled(idle && microphone && m_session.hasClip(n));
    button(u"Ecouter"_s)->setEnabled(idle && m_session.hasClip(n));
    button(u"Fermer"_s)->setEnabled(true);
}

void ClubVoiceWindow::say(MsgIcon icon, const QString& text)
{
    // One box at a time: a fault told while another box is open waits its turn.
    m_pending.append({icon, text});
    if (m_pending.size() > 1)
        return;
    while (!m_pending.isEmpty()) {
        m_services.message(this, m_pending.first().first, m_pending.first().second);
        m_pending.removeFirst();
    }
    refresh();
}

void ClubVoiceWindow::newVoice()
{
    const std::optional<QString> name = m_services.input.ask(
        this, u"Nouvelle voix"_s, u"Nom de la voix (par exemple Martine) :"_s, QString());
    if (!name)
        return;
    const QString trimmed = name->trimmed();
    if (const QString like = m_store.sameName(trimmed); !like.isEmpty())
        return say(MsgIcon::Exclamation, u"Une voix s'appelle déjà « %1 »."_s.arg(like));
    if (const QString refusal = m_store.create(trimmed); !refusal.isEmpty())
        return say(MsgIcon::Critical, u"La voix ne peut pas être créée.\n\n"_s + refusal);
    fillVoices(trimmed);
}

void ClubVoiceWindow::renameVoice()
{
    const QString from = m_session.voice();
    const std::optional<QString> to = m_services.input.ask(
        this, u"Renommer la voix"_s, u"Nouveau nom de la voix %1 :"_s.arg(ofName(from)), from);
    if (!to || to->trimmed() == from)
        return;
    if (const QString refusal = m_store.rename(from, to->trimmed()); !refusal.isEmpty())
        return say(MsgIcon::Critical, refusal);
    followRename(from, to->trimmed());
    fillVoices(to->trimmed());
}

void ClubVoiceWindow::followRename(const QString& from, const QString& to) const
{
    if (VoiceChoice::inUse().clubVoice != from)
        return;
    // A voice deleted leaves the draw to the built-in one.
    VoiceChoice::inUse().clubVoice = to;
    VoiceChoice{to.isEmpty() ? VoiceChoice::inUse().builtInOffset : 0, to}.write(
        VoiceChoice::pathIn(m_store.folder()));
}

void ClubVoiceWindow::deleteVoice()
{
    const QString name = m_session.voice();
    const int count = m_session.recordedCount();
    const QString question = count == 0 ? u"Supprimer la voix %1 ?"_s.arg(ofName(name))
                             : count == 1
                                 ? u"Supprimer la voix %1 et son enregistrement ?\n\nIl "
                                   "ne pourra pas être retrouvé."_s.arg(ofName(name))
                                 : u"Supprimer la voix %1 et ses %2 enregistrements ?\n\n"
                                   "Ils ne pourront pas être retrouvés."_s.arg(ofName(name))
                                       .arg(count);
    if (m_services.message(this, MsgIcon::Question, question, MsgButtons::YesNo, MsgAnswer::No) !=
        MsgAnswer::Yes)
        return;
    if (const QString refusal = m_store.remove(name); !refusal.isEmpty())
        say(MsgIcon::Critical, refusal);
    // A voice left in its folder stays on the screen.
    if (m_store.contains(name))
        return fillVoices(name);
    followRename(name, {});
    fillVoices({});
}

void ClubVoiceWindow::importFolder(const QString& folder)
{
    QString voice = m_session.voice();
    if (voice.isEmpty()) {
        newVoice();
        voice = m_session.voice();
        if (voice.isEmpty())
            return;
    } else if (m_session.recordedCount() > 0 &&
               m_services.message(
                   this, MsgIcon::Question,
                   u"Les fichiers du dossier remplaceront les enregistrements de la "
                   "voix %1 pour les mêmes numéros. Continuer ?"_s.arg(ofName(voice)),
                   MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes) {
        return;
    }
    m_import.start(folder, voice);
    m_importStatus = u"Importation…"_s;
    refresh();
}

void ClubVoiceWindow::closeEvent(QCloseEvent* event)
{
    // An import under way finishes its file; the rest is left undone.
    m_session.close();
    QDialog::closeEvent(event);
}
