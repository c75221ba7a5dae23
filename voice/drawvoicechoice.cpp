#include "drawvoicechoice.h"

#include "draw/drawtoolbar.h"
#include "game/drawseries.h"
#include "platform/param.h"
#include "platform/services.h"
#include "platform/soundoutput.h"
#include "voicechoicefile.h"

#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

using namespace Qt::StringLiterals;

DrawVoiceChoice::DrawVoiceChoice(Services& services, DrawToolBar& toolBar, QWidget* screen)
    : QObject(screen), m_services(services), m_toolBar(toolBar), m_screen(screen),
      m_store(Param::VoiceFolder()), m_menu(new QMenu(screen))
{
    m_menu->setObjectName(u"MenuVoix"_s);
    m_menu->setAccessibleName(u"Voix du tirage"_s);
    connect(m_menu, &QMenu::aboutToShow, this, &DrawVoiceChoice::fillMenu);
    QToolButton* club = m_toolBar.button(u"Voix"_s);
    club->setMenu(m_menu);
    club->setPopupMode(QToolButton::InstantPopup);
    // Pressed some other way than through its menu (a screen reader's
    // action), it shows the voice in use again.
    connect(club, &QToolButton::toggled, this, [this](bool on) {
        if (on && !m_voice.isClub())
            showChoice();
    });
    m_voice = CallingVoice::builtIn(VoiceChoice::inUse().builtInOffset);
    if (!VoiceChoice::inUse().clubVoice.isEmpty() && !m_store.folder().isEmpty()) {
        if (m_store.contains(VoiceChoice::inUse().clubVoice)) {
            m_voice = CallingVoice::club(m_store, VoiceChoice::inUse().clubVoice);
        } else {
            m_goneVoice = VoiceChoice::inUse().clubVoice;
            VoiceChoice::inUse().clubVoice.clear();
            VoiceChoice::inUse().builtInOffset = 0;
            m_voice = CallingVoice::builtIn(0);
            remember();
        }
    }
}

void DrawVoiceChoice::restore(const QString& voiceFolder)
{
    const VoiceChoice kept = VoiceChoice::read(VoiceChoice::pathIn(voiceFolder));
    VoiceChoice::inUse().builtInOffset = kept.builtInOffset;
    VoiceChoice::inUse().clubVoice = kept.clubVoice;
}

void DrawVoiceChoice::chooseBuiltIn(int offset)
{
    if (!m_voice.isClub() && m_voice.builtInOffset() == offset)
        return;
    VoiceChoice::inUse().builtInOffset = offset;
    VoiceChoice::inUse().clubVoice.clear();
    m_voice = CallingVoice::builtIn(offset);
    showChoice();
    remember();
}

void DrawVoiceChoice::chooseClub(const QString& name)
{
    if (!m_store.contains(name)) {
        m_services.message(m_screen, MsgIcon::Exclamation,
                           u"La voix %1 n'est plus dans le dossier des voix."_s.arg(ofName(name)));
        return;
    }
    m_voice = CallingVoice::club(m_store, name);
    VoiceChoice::inUse().clubVoice = name;
    showChoice();
    remember();
    sayWhatIsMissing();
}

void DrawVoiceChoice::call(int number)
{
    m_services.sound.playImage(m_voice.clip(number));
}

void DrawVoiceChoice::listen(const DrawSeries& series)
{
    connect(&series, &DrawSeries::numberDrawn, this, &DrawVoiceChoice::call);
    connect(&series, &DrawSeries::numberRepeated, this, &DrawVoiceChoice::call);
}

void DrawVoiceChoice::showChoice()
{
    const QString key = m_voice.isClub()                ? u"Voix"_s
                        : m_voice.builtInOffset() == 90 ? u"Homme"_s
                                                        : u"Femme"_s;
    m_toolBar.button(key)->setChecked(true);
    QToolButton* club = m_toolBar.button(u"Voix"_s);
    club->setToolTip(m_voice.isClub() ? u"Voix du club : %1"_s.arg(m_voice.clubName())
                                      : u"Choisir la voix du tirage, dont les voix du club"_s);
    club->setAccessibleDescription(club->toolTip());
}

void DrawVoiceChoice::fillMenu()
{
    m_menu->clear();
    auto* group = new QActionGroup(m_menu);
    const auto add = [this, group](const QString& text, bool checked, auto choose) {
        QAction* action = m_menu->addAction(text, this, choose);
        action->setCheckable(true);
        action->setChecked(checked);
        group->addAction(action);
    };
    add(u"Voix féminine"_s, !m_voice.isClub() && m_voice.builtInOffset() == 0,
        [this] { chooseBuiltIn(0); });
    add(u"Voix masculine"_s, !m_voice.isClub() && m_voice.builtInOffset() == 90,
        [this] { chooseBuiltIn(90); });
    m_menu->addSeparator();
    const QStringList voices = m_store.voices();
    for (const QString& name : voices)
        add(voiceTitle(name), m_voice.clubName() == name, [this, name] { chooseClub(name); });
    if (voices.isEmpty())
        m_menu
            ->addAction(u"Aucune voix du club : « Voix du club » dans la fenêtre principale "
                        "pour en enregistrer une"_s)
            ->setEnabled(false);
}

void DrawVoiceChoice::remember()
{
    const VoiceChoice choice{m_voice.isClub() ? 0 : m_voice.builtInOffset(), m_voice.clubName()};
    // Kept for this run even if the disk refuses it.
    if (const QString problem = choice.write(VoiceChoice::pathIn(m_store.folder()));
        !problem.isEmpty())
        m_services.message(
            m_screen, MsgIcon::Exclamation,
            u"Le choix de la voix ne peut pas être gardé pour la prochaine fois :\n"_s + problem);
}

void DrawVoiceChoice::sayWhatIsMissing()
{
    if (!m_goneVoice.isEmpty()) {
        m_services.message(m_screen, MsgIcon::Exclamation,
                           u"La voix %1 n'est plus dans le dossier des voix : les numéros "
                           "seront dits par la voix féminine."_s.arg(ofName(m_goneVoice)));
        m_goneVoice.clear();
        return;
    }
    if (const QString report = m_voice.report(); !report.isEmpty())
        m_services.message(m_screen, MsgIcon::Exclamation, report);
}
