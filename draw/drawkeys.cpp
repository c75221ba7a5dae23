#include "drawkeys.h"

#include "ballmachineentry.h"
#include "drawtoolbar.h"
#include "hall/hallcontrol.h"
#include "phoneswitch.h"
#include "platform/helpopener.h"
#include "tirage.h"
#include "voice/drawvoicechoice.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

DrawCommand drawCommandFor(int key, Qt::KeyboardModifiers modifiers)
{
    // The keypad's digits come with KeypadModifier; Shift gives the digits on
    // a French keyboard's top row.
    const Qt::KeyboardModifiers chord = modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (key == Qt::Key_Escape)
        return DrawCommand::Ignore;
    if (chord == Qt::ControlModifier)
        return key == Qt::Key_Z ? DrawCommand::Undo : DrawCommand::None;
    if (chord != Qt::NoModifier)
        return DrawCommand::None;
    switch (key) {
    case Qt::Key_Space:
        return DrawCommand::Draw;
    case Qt::Key_L:
        return DrawCommand::LineCheck;
    case Qt::Key_G:
        return DrawCommand::GridCheck;
    case Qt::Key_R:
        return DrawCommand::Repeat;
    case Qt::Key_F5:
        return DrawCommand::HallDisplay;
    case Qt::Key_F6:
        return DrawCommand::Phones;
    default:
        break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return DrawCommand::Digit;
    return DrawCommand::None;
}

DrawKeyboard::DrawKeyboard(Tirage& screen) : QObject(&screen), m_screen(screen) {}

bool DrawKeyboard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const DrawCommand command = drawCommandFor(key->key(), key->modifiers());
    // Espace is the operator's "next number": on the winning grid's panel
    // it would close the panel, and take the winner off the hall's screen.
    if (command == DrawCommand::Draw && qobject_cast<QAbstractButton*>(watched))
        return true;
    switch (command) {
    case DrawCommand::LineCheck:
    case DrawCommand::GridCheck:
    case DrawCommand::Repeat:
    case DrawCommand::Undo:
    case DrawCommand::HallDisplay:
    case DrawCommand::Phones:
    case DrawCommand::Ignore:
        return run(key);
    default:
        return false; // typed into the field
    }
}

void DrawKeyboard::runFromHall(QKeyEvent* event)
{
    if (run(event) || !m_screen.isBallMachine() || !m_screen.barre()->isEnabled())
        return;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                   event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(m_screen.entree(), &copy);
}

bool DrawKeyboard::run(QKeyEvent* event)
{
    const DrawCommand command = drawCommandFor(event->key(), event->modifiers());
    if (command == DrawCommand::None)
        return false;
    // Escape would close the screen in the middle of a game.
    if (command == DrawCommand::Ignore)
        return true;
    if (command == DrawCommand::HallDisplay) {
        m_screen.hall().toggle();
        return true;
    }
    if (command == DrawCommand::Phones) {
        QToolButton* phones = m_screen.barre()->button(u"Telephones"_s);
        phones->setChecked(!phones->isChecked());
        return true;
    }
    DrawToolBar* bar = m_screen.barre();
    // While a winning grid is shown, only its panel answers.
    if (!bar->isEnabled())
        return true;
    switch (command) {
    case DrawCommand::Draw:
        if (bar->button(u"Tirage"_s)->isEnabled())
            m_screen.ProcTirage();
        break;
    case DrawCommand::Digit:
        if (m_screen.isBallMachine()) {
            m_screen.entree()->setFocus();
            m_screen.entree()->insert(event->text().left(1));
        }
        break;
    case DrawCommand::LineCheck:
        m_screen.ProcVerifLigne();
        break;
    case DrawCommand::GridCheck:
        m_screen.ProcVerifGrille();
        break;
    case DrawCommand::Repeat:
        m_screen.Barre_ButtonClick(u"Repeter"_s);
        break;
    case DrawCommand::Undo:
        if (bar->button(u"Annuler"_s)->isEnabled())
            m_screen.ProcAnnuler();
        break;
    default:
        break;
    }
    return true;
}

void DrawKeyboard::press(const QString& key)
{
    // Switches are read for their new state: they may also be set from here.
    const bool on = m_screen.barre()->button(key) && m_screen.barre()->button(key)->isChecked();
    if (key == u"ChoixFichier")
        m_screen.ProcChoixFichier();
    else if (key == u"Chrono") {
        if (on != m_screen.timer().isActive())
            m_screen.ProcChrono();
    } else if (key == u"Tirage")
        m_screen.ProcTirage();
    else if (key == u"Repeter") {
        m_screen.series().repeatLast();
    } else if (key == u"Femme" || key == u"Homme") {
        if (on)
            m_screen.voice().chooseBuiltIn(key == u"Femme" ? 0 : 90);
    } else if (key == u"VerifLigne")
        m_screen.ProcVerifLigne();
    else if (key == u"VerifGrille")
        m_screen.ProcVerifGrille();
    else if (key == u"Reinitialiser")
        m_screen.ProcReinit();
    else if (key == u"Annuler")
        m_screen.ProcAnnuler();
    else if (key == u"Rapport")
        m_screen.ProcRapport();
    else if (key == u"Apropos")
        HelpKey::pressF1(&m_screen);
    else if (key == u"Boulier")
        m_screen.setBallMachine(on);
    else if (key == u"Salle") {
        if (on != m_screen.hall().isShown())
            m_screen.hall().toggle();
    } else if (key == u"Telephones") {
        if (on != m_screen.phones().isOn())
            m_screen.phones().setOn(on);
    } else if (key == u"Theme") {
        const HallThemeName theme = on ? HallThemeName::Sombre : HallThemeName::Clair;
        if (theme != m_screen.hall().theme())
            m_screen.hall().setTheme(theme);
    } else if (key == u"Quitter")
        m_screen.close();
}
