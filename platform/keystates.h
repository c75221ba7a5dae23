#pragma once

#include <QObject>

// The lock keys the status bar shows. Where the X server can be asked, the
// real Caps, Num and Scroll Lock states come from it; elsewhere they follow
// the key presses seen by the program. Insert always follows its key.
class KeyStates : public QObject
{
    Q_OBJECT

public:
    explicit KeyStates(QObject* parent = nullptr);

    bool scrollLock() const { return m_scroll; }
    bool insert() const { return m_insert; }
    bool capsLock() const { return m_caps; }
    bool numLock() const { return m_num; }

    // Asks the X server again, where there is one.
    void poll();
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void changed();

private:
    void set(bool& state, bool value);

    bool m_fromServer = false;
    bool m_scroll = false;
    bool m_insert = true;
    bool m_caps = false;
    bool m_num = false;
};
