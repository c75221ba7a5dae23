#include "keystates.h"

#include "x11indicators.h"

#include <QKeyEvent>

KeyStates::KeyStates(QObject* parent) : QObject(parent)
{
    poll();
}

void KeyStates::poll()
{
    const std::optional<LockIndicators> leds = readX11Indicators();
    m_fromServer = leds.has_value();
    if (!leds)
        return;
    set(m_caps, leds->caps);
    set(m_num, leds->num);
    set(m_scroll, leds->scroll);
}

bool KeyStates::eventFilter(QObject* watched, QEvent* event)
{
    // A press reaches its window once, then every widget up the parent chain;
    // the window's copy is the one counted.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            switch (key->key()) {
            case Qt::Key_Insert:
                set(m_insert, !m_insert);
                break;
            case Qt::Key_CapsLock:
                if (!m_fromServer)
                    set(m_caps, !m_caps);
                break;
            case Qt::Key_NumLock:
                if (!m_fromServer)
                    set(m_num, !m_num);
                break;
            case Qt::Key_ScrollLock:
                if (!m_fromServer)
                    set(m_scroll, !m_scroll);
                break;
            default:
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void KeyStates::set(bool& state, bool value)
{
    if (state == value)
        return;
    state = value;
    emit changed();
}
